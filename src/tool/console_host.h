#pragma once
// The tool's host: errors go to stderr as "TAG: text" and are counted, so every
// command can end with a non-zero status when anything was reported.

#include <iostream>

#include "core/headless_host.h"

class ConsoleHost : public HeadlessHost {
public:
  ConsoleHost() : HeadlessHost(&std::cerr) {}
  bool Clean() const { return errors.empty(); }
};

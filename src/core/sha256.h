#pragma once
// SHA-256 of a byte block as lower-case hex, for fingerprints of light maps in dumps.

#include <cstdint>
#include <span>
#include <string>

std::string Sha256Hex(std::span<const std::uint8_t> data);

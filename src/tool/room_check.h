#pragma once
// What `check` finds in a loaded room beyond what loading itself reports: values a
// designer cannot see in the editor but the game will trip over.

#include <string>
#include <vector>

class TRoom;

std::vector<std::string> CheckRoom(const TRoom& room);

#pragma once
// The room file's layout as Markdown (`brannock-tool format`, docs/room-format.md):
// every record with offsets, widths, types and the list each index refers to, built
// from the same descriptions that read and write the file.

#include <string>

class TRoom;

// The room only lends its engine and its records' descriptions.
std::string RoomFormatPage(TRoom& room);

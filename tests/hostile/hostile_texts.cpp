// Damaged configuration files and bitmaps.
#include "core/bmp_file.h"
#include "core/config_lines.h"
#include "engine/edit_engine.h"
#include "hostile/hostile_parts.h"

namespace hostile {

namespace {

void AddText(std::vector<HostileFile>& files, std::string name, HostileReader reader, std::string_view text,
             std::vector<std::string> messages = {}) {
  files.push_back({std::move(name), reader, TextBytes(text), std::move(messages), true});
}

void AddBitmap(std::vector<HostileFile>& files, std::string name, std::vector<std::uint8_t> bytes,
               std::string reason) {
  files.push_back({"bitmap " + std::move(name), HostileReader::Bitmap, std::move(bytes), {std::move(reason)}, false});
}

// A 2 x 2 24-bit image.
std::vector<std::uint8_t> SoundBitmap() { return EncodeBmp({2, 2, std::vector<std::uint8_t>(12, 0x80)}); }

template <class T>
std::vector<std::uint8_t> PatchedBitmap(std::size_t offset, T value) {
  auto bytes = SoundBitmap();
  Poke(bytes, offset, value);
  return bytes;
}

// Offsets of the bitmap headers.
constexpr std::size_t PixelOffset = 10;
constexpr std::size_t InfoSize = 14;
constexpr std::size_t Width = 18;
constexpr std::size_t Height = 22;
constexpr std::size_t Bits = 28;
constexpr std::size_t Compression = 30;
constexpr std::size_t ColorsUsed = 46;

}  // namespace

void AddTextFiles(const TQZEngine& engine, std::vector<HostileFile>& files) {
  const std::string overlong(300, 'x');
  const std::string tooLarge(ConfigLineReader::MaxFileBytes + 1, '\n');
  AddText(files, "editor.ini with a line of 300 characters", HostileReader::EditorIni, "[ROOM_FOG]\n" + overlong + "\n");
  AddText(files, "editor.ini with lone CR line ends", HostileReader::EditorIni, "[ROOM_FOG]\rnone\rthick\r\r");
  AddText(files, "editor.ini with zero bytes", HostileReader::EditorIni,
          std::string("[ROOM_FOG]\nno\0ne\n\0\n", 20));
  AddText(files, "editor.ini larger than any list", HostileReader::EditorIni, tooLarge,
          {"QZ_FILE: File \"" + engine.BaseDir.str() + "editor.ini could not be read!"});
  AddText(files, "variable.ini with indices out of range", HostileReader::VariableIni,
          "[GAME_VARIABLE]\n201 Past\n999 Far\n-01 Negative\n1 Short\nabc Letters\n200 Last\n");
  AddText(files, "variable.ini with value indices out of range", HostileReader::VariableIni,
          "[GAME_VARIABLE]\n012 Door:\n\t\t006 Six\n\t\t-01 Negative\n\t\n\t\t005 Five\n013 Next\n");
  AddText(files, "variable.ini ending inside a value list", HostileReader::VariableIni,
          "[GAME_VARIABLE]\n012 Door:");
  AddText(files, "enemy.ini with indices out of range", HostileReader::EnemyIni,
          "[GAME_ENEMY]\n101 Past\n-01 Negative\n100 Last\n" + overlong + "\n");
  AddText(files, "loadsound.ini larger than any list", HostileReader::SoundIni, tooLarge,
          {"QZ_FILE: File \"" + engine.SoundDir.str() + "loadsound.ini could not be read!"});
}

void AddBitmapFiles(std::vector<HostileFile>& files) {
  const auto sound = SoundBitmap();
  AddBitmap(files, "empty", {}, "bitmap header cut short");
  AddBitmap(files, "cut inside the header", {sound.begin(), sound.begin() + 30}, "bitmap header cut short");
  AddBitmap(files, "cut inside the file header", {sound.begin(), sound.begin() + 12}, "bitmap header cut short");
  AddBitmap(files, "cut inside the pixels", {sound.begin(), sound.end() - 1}, "bitmap pixels cut short");
  AddBitmap(files, "not a bitmap", PatchedBitmap(0, std::uint8_t{'X'}), "not a bitmap file");
  AddBitmap(files, "info header larger than the file", PatchedBitmap(InfoSize, std::uint32_t{0xffffffff}),
            "bitmap header cut short");
  AddBitmap(files, "info header of 20 bytes", PatchedBitmap(InfoSize, std::uint32_t{20}),
            "unsupported bitmap header of 20 bytes");
  AddBitmap(files, "width 0", PatchedBitmap(Width, std::int32_t{0}), "bitmap size out of range");
  AddBitmap(files, "width 65535", PatchedBitmap(Width, std::int32_t{65535}), "bitmap size out of range");
  AddBitmap(files, "height -2147483648", PatchedBitmap(Height, std::int32_t{-2147483647 - 1}),
            "bitmap size out of range");
  AddBitmap(files, "width 4096 in a tiny file", PatchedBitmap(Width, std::int32_t{4096}), "bitmap pixels cut short");
  AddBitmap(files, "17 bits per pixel", PatchedBitmap(Bits, std::uint16_t{17}), "unsupported bit depth 17");
  AddBitmap(files, "run-length compressed true colour", PatchedBitmap(Compression, std::uint32_t{1}),
            "RLE8 compression with 24 bits per pixel");
  AddBitmap(files, "PNG inside", PatchedBitmap(Compression, std::uint32_t{5}), "PNG bitmaps are not supported");
  AddBitmap(files, "pixels past the end", PatchedBitmap(PixelOffset, std::uint32_t{0xfffffff0}),
            "bitmap pixels cut short");
  auto palette = PatchedBitmap(Bits, std::uint16_t{8});
  Poke(palette, ColorsUsed, std::uint32_t{100000});
  AddBitmap(files, "palette of 100000 colours", palette, "palette too large");
  // 16 bits with masks that cross each other.
  auto masks = PatchedBitmap(Bits, std::uint16_t{16});
  Poke(masks, Compression, std::uint32_t{3});
  Poke(masks, PixelOffset, std::uint32_t{54 + 12});
  Poke(masks, 54, std::uint32_t{0xff00});
  Poke(masks, 58, std::uint32_t{0x0ff0});
  AddBitmap(files, "overlapping bit-field masks", masks, "bit-field masks are not valid");
  // RLE8: a two-colour palette, one run, and no end mark.
  auto runs = PatchedBitmap(Bits, std::uint16_t{8});
  Poke(runs, Compression, std::uint32_t{1});
  Poke(runs, ColorsUsed, std::uint32_t{2});
  Poke(runs, PixelOffset, std::uint32_t{54 + 8});
  runs.resize(54 + 8);
  runs.insert(runs.end(), {2, 1, 0, 0, 2, 1});
  AddBitmap(files, "run-length data without its end mark", runs, "run-length data ends without its end mark");
  runs.resize(54 + 8);
  runs.insert(runs.end(), {0, 40, 1, 1});
  AddBitmap(files, "run-length absolute run past the end", runs, "run-length data cut short");
  runs.resize(54 + 8);
  runs.insert(runs.end(), {2, 7, 0, 1});
  AddBitmap(files, "run-length index past the palette", runs, "palette index out of range");
}

}  // namespace hostile

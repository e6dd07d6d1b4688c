// The tool's own lines as the Shift-JIS bytes that it must write, spelled out
// here independently of the tool's message table (from scripts/sjis-literal),
// so that a wrong byte in either shows.
#pragma once

#include <string>

namespace d88test {

// "ファイルが存在しません (" followed by the path, no line end.
inline const std::string kOpenFailedPrefix =
    "\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xaa\x91\xb6\x8d\xdd\x82\xb5\x82\xdc\x82\xb9\x82\xf1\x20"
    "\x28";
// "未対応の形式です"
inline const std::string kUnsupportedLine =
    "\x96\xa2\x91\xce\x89\x9e\x82\xcc\x8c\x60\x8e\xae\x82\xc5\x82\xb7\n";
// "引数の数が合っていません"
inline const std::string kArgumentCountLine =
    "\x88\xf8\x90\x94\x82\xcc\x90\x94\x82\xaa\x8d\x87\x82\xc1\x82\xc4\x82\xa2\x82\xdc\x82\xb9\x82"
    "\xf1\n";
// The 2HD layout's announcing line.
inline const std::string kAnnounce2HDLine =
    "\x7a\x69\x76\x75\x76\x32\x48\x44\x94\xc5\x82\xc5\x82\xb7\n";
// The 2DD layout's announcing line.
inline const std::string kAnnounce2DDLine =
    "\x83\x8d\x83\x7d\x83\x93\x83\x56\x83\x41\x32\x44\x44\x94\xc5\x82\xc5\x82\xb7\n";
// " を切り出します", the end of the cut-out's announcement.
inline const std::string kCutOutSuffix =
    "\x20\x82\xf0\x90\xd8\x82\xe8\x8f\x6f\x82\xb5\x82\xdc\x82\xb7\n";
// "サイズの指定がおかしいです"
inline const std::string kBadSizeLine =
    "\x83\x54\x83\x43\x83\x59\x82\xcc\x8e\x77\x92\xe8\x82\xaa\x82\xa8\x82\xa9\x82\xb5\x82\xa2\x82"
    "\xc5\x82\xb7\n";
// "指定したトラック/セクタが存在しません"
inline const std::string kNoSuchSectorLine =
    "\x8e\x77\x92\xe8\x82\xb5\x82\xbd\x83\x67\x83\x89\x83\x62\x83\x4e\x2f\x83\x5a\x83\x4e\x83\x5e"
    "\x82\xaa\x91\xb6\x8d\xdd\x82\xb5\x82\xdc\x82\xb9\x82\xf1\n";
// "指定した diskno が存在しません"
inline const std::string kNoSuchDiskLine =
    "\x8e\x77\x92\xe8\x82\xb5\x82\xbd\x20\x64\x69\x73\x6b\x6e\x6f\x20\x82\xaa\x91\xb6\x8d\xdd\x82"
    "\xb5\x82\xdc\x82\xb9\x82\xf1\n";

// The announcement of a cut-out, "diskno:%2d track:%2d sector:%2d size:%d ...".
inline std::string cutOutAnnouncement(const std::string& numbers) {
    return numbers + kCutOutSuffix;
}

}  // namespace d88test

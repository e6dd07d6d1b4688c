// The tool's own lines as the Shift-JIS bytes that it must write, converted
// here from their UTF-8 text by iconv, independently of the tool's message
// table, so that a wrong byte in the table shows.
#pragma once

#include <string>

#include "sjis.h"

namespace d88test {

// Followed by the path, with no line end.
inline const std::string kOpenFailedPrefix = sjis("ファイルが存在しません (");
inline const std::string kUnsupportedLine = sjis("未対応の形式です\n");
inline const std::string kArgumentCountLine = sjis("引数の数が合っていません\n");
inline const std::string kAnnounce2HDLine = sjis("zivuv2HD版です\n");
inline const std::string kAnnounce2DDLine = sjis("ロマンシア2DD版です\n");
// The end of the cut-out's announcement.
inline const std::string kCutOutSuffix = sjis(" を切り出します\n");
inline const std::string kBadSizeLine = sjis("サイズの指定がおかしいです\n");
inline const std::string kNoSuchSectorLine = sjis("指定したトラック/セクタが存在しません\n");
inline const std::string kNoSuchDiskLine = sjis("指定した diskno が存在しません\n");

// The announcement of a cut-out, "diskno:%2d track:%2d sector:%2d size:%d ...".
inline std::string cutOutAnnouncement(const std::string& numbers) {
    return numbers + kCutOutSuffix;
}

}  // namespace d88test

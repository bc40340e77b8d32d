// Japanese reasons for the Windows error codes that file work meets. Our own
// table, so messages read the same on any Windows language and under Wine.
#include "platform/failure.h"

namespace platform {

Text SystemReason(unsigned long code) {
  switch (code) {
    case 2: return "指定されたファイルが見つかりません。";
    case 3: return "指定されたパスが見つかりません。";
    case 4: return "システムはファイルを開くことができません。";
    case 5: return "アクセスが拒否されました。";
    case 15: return "指定されたドライブが見つかりません。";
    case 19: return "メディアは書き込み禁止になっています。";
    case 21: return "デバイスの準備ができていません。";
    case 32: return "プロセスはファイルにアクセスできません。別のプロセスが使用中です。";
    case 33: return "プロセスはファイルにアクセスできません。別のプロセスがファイルの一部をロックしています。";
    case 80: return "ファイルが存在します。";
    case 112: return "ディスクに十分な空き領域がありません。";
    case 123: return "ファイル名、ディレクトリ名、またはボリューム ラベルの構文が間違っています。";
    case 145: return "ディレクトリが空ではありません。";
    case 183: return "既に存在するファイルを作成することはできません。";
    case 206: return "ファイル名または拡張子が長すぎます。";
    case 267: return "ディレクトリ名が無効です。";
    case 1392: return "ファイルまたはディレクトリが壊れているため、読み取ることができません。";
    default: return "システム エラー (" + std::to_string(code) + ")。";
  }
}

}  // namespace platform

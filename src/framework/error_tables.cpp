// The program's error types, registered once in this order: the core table (109
// entries, duplicates included), then the groups of the file dialog, plug-ins, the
// holiday script and strings. Numbers are only compared within one run.
#include <iterator>

#include "framework/error.h"

namespace tavoli {

namespace {

struct KeyAndMessage {
    const char* key;
    const char* message;
};

constexpr KeyAndMessage kCoreTable[] = {
    {"error", "エラーが発生しました。"},
    {"error", "エラー1が発生しました。"},
    {"error", "エラー2が発生しました。"},
    {"error", "エラー3が発生しました。"},
    {"error", "エラー4が発生しました。"},
    {"error", "エラー5が発生しました。"},
    {"fatal", "致命的なエラーが発生しました。"},
    {"environment", "このコンピュータシステムには対応していません。"},
    {"abort", "処理が中止されました。"},
    {"cancel", "操作がキャンセルされました。"},
    {"undef", "未定義のエラーが発生しました。"},
    {"eof", "ファイルの終わりに達しました。"},
    {"end_of_array", "配列の終わりに達しました。"},
    {"internal", "プログラムの内部エラーです。"},
    {"domain", "関数の定義域エラーです。"},
    {"range", "値が範囲を超えています。"},
    {"pointer", "ポインタ関係のエラーです。"},
    {"overflow", "オーバーフローが発生しました。"},
    {"arg_list", "引数リストに誤りがあります。"},
    {"generic", "一般的なエラーが発生しました。"},
    {"null_pointer", "NULLポインタが渡されました。"},
    {"memory", "メモリ関係のエラーが発生しました。"},
    {"memory_alloc", "メモリの確保に失敗しました。"},
    {"memory_release", "メモリの解放に失敗しました。"},
    {"memory_temp", "一時作業用のメモリが足りず、作業を中断しました。"},
    {"memory_insuf", "メモリが不足しています。"},
    {"io", "入出力関係のエラーが発生しました。"},
    {"read_write", "データの読み書きに失敗しました。"},
    {"too_large_data", "データが大きすぎます。"},
    {"file", "ファイル関係のエラーが発生しました。"},
    {"drive", "ドライブ関係のエラーが発生しました。"},
    {"file_not_found", "ファイルが見つかりませんでした。"},
    {"path_not_found", "パスが見つかりませんでした。"},
    {"drive_not_found", "ドライブが見つかりませんでした。"},
    {"file_open", "ファイルが開けませんでした。"},
    {"file_exist", "ファイルが既に存在します。"},
    {"file_close", "ファイルの解放に失敗しました。"},
    {"file_encode", "ファイルのエンコードに失敗しました。"},
    {"file_decode", "ファイルのデコードに失敗しました。"},
    {"bad_format", "データの形式に誤りがあります。"},
    {"data_invalidformat", "データの形式が正しくありません。"},
    {"data_invalidversion", "データのバージョンが正しくありません。"},
    {"data_broken", "データが壊れています。"},
    {"data_unacceptable", "受け付けられないデータです。"},
    {"wrong_format", "ファイルの形式が違います。"},
    {"empty_file", "ファイルが空です。"},
    {"file_version", "ファイルのバージョンが違います。"},
    {"file_share", "ファイルの共有違反が発生しました。"},
    {"file_resize", "ファイルのサイズ変更ができませんでした。"},
    {"file_access", "ファイルにアクセスできませんでした。"},
    {"path_access", "パスにアクセスできませんでした。"},
    {"too_many_files", "開いているファイルが多すぎます。"},
    {"too_many_resource", "使用中のリソースが多すぎます。"},
    {"disk_space", "ディスクの空き容量が足りませんでした。"},
    {"disk_protect", "ディスクが書き込み禁止になっています。"},
    {"disk_insert", "ディスクが挿入されていません。"},
    {"wrong_disk", "ディスクが違います。"},
    {"access", "アクセスが拒否されました。"},
    {"file_halfway", "ファイルが途中で終わっています。"},
    {"handle", "ハンドルが不正です。"},
    {"dc", "デバイスコンテキストのエラーが発生しました。"},
    {"device", "デバイス関係のエラーが発生しました。"},
    {"device_command", "デバイスへのコマンドが失敗しました。"},
    {"device_not_found", "デバイスが見つかりませんでした。"},
    {"registry", "レジストリ関係のエラーが発生しました。"},
    {"codec_not_found", "コーデックが見つかりませんでした。"},
    {"printer", "プリンタ関係のエラーが発生しました。"},
    {"paper", "用紙関係のエラーが発生しました。"},
    {"string_too_long", "文字列が長すぎます。"},
    {"array_size", "配列変数のサイズが大きすぎるか小さすぎます。"},
    {"object_alloc", "オブジェクトの作成に失敗しました。"},
    {"object_release", "オブジェクトの解放に失敗しました。"},
    {"library_not_found", "ライブラリが見つかりませんでした。"},
    {"data", "データ関係のエラーが発生しました。"},
    {"crc", "データに誤りが含まれており、CRCチェックに失敗しました。"},
    {"clipboard", "クリップボード関係のエラーが発生しました。"},
    {"clipboard_invalid", "クリップボードのデータが不正です。"},
    {"object_locked", "オブジェクトがロックされています。"},
    {"object_disabled", "オブジェクトが無効になっています。"},
    {"object_silent", "オブジェクトが休眠状態です。"},
    {"object_resize", "オブジェクトのサイズ変更ができませんでした。"},
    {"help", "ヘルプが表示できませんでした。"},
    {"multimedia", "マルチメディア関係のエラーが発生しました。"},
    {"media_deviceopen", "メディアデバイスが開けませんでした。"},
    {"nodata", "データがありません。"},
    {"data_empty", "データが空です。"},
    {"taillostdata", "データが途中で終わっています。"},
    {"insuf_buf", "バッファが足りません。"},
    {"buf_overflow", "バッファがあふれました。"},
    {"not_ready", "準備ができていません。"},
    {"plugin", "プラグイン関係のエラーが発生しました。"},
    {"ole", "OLEコンポーネントに関するエラーが発生しました。"},
    {"ole", "OLEコンポーネントの初期化ができませんでした。"},
    {nullptr, nullptr},
    {nullptr, nullptr},
    {"Internal", "予期しない内部エラーが発生しました。"},
    {"InvalidArgument", "プロシージャに、間違った引数が渡されました。"},
    {"NullPointer", "プロシージャに、NULLポインタが渡されました。"},
    {"Workspace", "一時作業用のメモリが足りないため、作業を中断しました。"},
    {"Domain", "関数の定義域の外の値が渡されました。"},
    {"EmptyData", "データが空なので、処理できません。"},
    {"UnacceptableFormat", "この形式のデータには対応していないので、読み込むことができません。"},
    {"UnacceptableVersion", "対応していないバージョンのデータなので、読み込むことができません。"},
    {"InvalidData", "データが壊れているか、または誤りがあるため、読み込むことができません。"},
    {"InvalidFileName", "ファイル名に誤りがあります。"},
    {"filename_invalid", "ファイル名が正しくありません。"},
    {"Index", "インデックスが範囲を超えています。"},
    {"Resize", "サイズの変更ができませんでした。"},
    {"Memory", "メモリが足りません。"},
};
static_assert(std::size(kCoreTable) == 109, "the core table has 109 entries");

constexpr KeyAndMessage kFileDialogGroup[] = {
    {"filedialog", "ファイルのダイアログでエラーが発生しました。"},
};

constexpr KeyAndMessage kPluginGroup[] = {
    {"plugin_n_def", "プラグインのファイル名が指定されていません。"},
    {"plugin_not_found", "プラグインが見つかりません。"},
    {"plugin_invalid", "不正なプラグインが呼び出されました。"},
    {"plugin_exception", "プラグインが例外を送出しました。"},
    {"unexpected", "予期せぬエラーが発生しました。"},
};

constexpr KeyAndMessage kHolidayScriptGroup[] = {
    {"unexpecedscript", "予期せぬスクリプトエラーです。"},
    {"scriptsyntax", "スクリプトの構文エラーです。"},
    {"festivalnotfound", "記念日にマッチしませんでした。"},
    {"script", "スクリプトエラーです。"},
};

constexpr KeyAndMessage kStringGroup[] = {
    {"invalidpointer", "ポインタが不正です。"},
};

template <size_t N>
void RegisterGroup(const KeyAndMessage (&table)[N], ErrorTypeEntry (&entries)[N]) {
    for (size_t i = 0; i < N; ++i) RegisterErrorType(entries[i], table[i].key, table[i].message);
}

}  // namespace

void RegisterProgramErrorTypes() {
    static ErrorTypeEntry core[std::size(kCoreTable)];
    static ErrorTypeEntry fileDialog[std::size(kFileDialogGroup)];
    static ErrorTypeEntry plugins[std::size(kPluginGroup)];
    static ErrorTypeEntry holidayScript[std::size(kHolidayScriptGroup)];
    static ErrorTypeEntry strings[std::size(kStringGroup)];
    RegisterGroup(kCoreTable, core);
    RegisterGroup(kFileDialogGroup, fileDialog);
    RegisterGroup(kPluginGroup, plugins);
    RegisterGroup(kHolidayScriptGroup, holidayScript);
    RegisterGroup(kStringGroup, strings);
}

}  // namespace tavoli

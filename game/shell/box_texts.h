#pragma once
#include <cstdint>

// The texts of the boxes the native program and the page draw themselves,
// as the Windows program shows them through its dialogs and MessageBox;
// UTF-8, whatever the build's character set.
constexpr char BoxCaption[] = "ZARVEL";
constexpr char ExitQuestion[] = u8"終了しますか？\nExit? ";
constexpr const char* ExitButtons[3] = {u8"はい(Y)", u8"いいえ(N)", u8"キャンセル"};
constexpr char ScoreEntryCaption[] = "Insert Height Score";
constexpr char ScoreEntryText[] = "Congratulations! Your Score is Heigh Score.\nPlease Input Your Name.";
constexpr char ScoreListCaption[] = "ZARVEL Height Score";
constexpr char FarewellText[] =
    u8"遊んでいただきありがとうございました。\n\n"
    u8"このバージョンは試用版ですが、今後は自由に配布していただいて\nかまいません。"
    u8"最新版の入手先は、同梱の README\n（ZARVEL プロジェクト）に書いてあります。\n\n"
    u8"ご意見・ご感想・不具合のご報告は、README に書いてある連絡先\n"
    u8"（電子メールまたは Web の掲示板）までお寄せください。";
constexpr char InitFailureText[] = u8"DirectX Init FAILED\n\nDirectX等のの初期化処理を失敗しました。(T_T)";

// What a game thread that ended with FatalErrorCode `code` says before the
// farewell; null for none.
constexpr const char* FatalErrorText(int32_t code) {
  return code == 0 ? nullptr
         : code == 5 ? u8"メモリー不足のようです"
         : code == 6 ? u8"イメージのリストアを失敗しました"
                     : u8"何らかのエラーが発生しました";
}

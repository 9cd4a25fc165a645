#include "screens/EndingTexts.h"

#include <initializer_list>

namespace {

constexpr std::string_view LineEnd = "\r\n";
constexpr std::string_view WideSpace = "　";
constexpr std::string_view MakerAddress = "http://kumoriya.example/";
constexpr std::string_view MakerTrip = "◆Km3Pz0Qx";

constexpr int CreditIndent = 20;
constexpr int AddressIndent = 17;
constexpr int NoticeIndent = 11;
// A few empty lines under the credits keep them clear of the bottom edge of the thread view.
constexpr int BlankLinesAfterCredits = 3;

std::string Repeat(std::string_view piece, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return text;
}

std::string Indent(int count)
{
    return Repeat(WideSpace, count);
}

std::string Breaks(int count)
{
    return Repeat(LineEnd, count);
}

std::string JoinLines(std::initializer_list<std::string_view> lines)
{
    std::string text;
    for (const std::string_view line : lines) {
        text += line;
        text += LineEnd;
    }
    return text;
}

// A quoted post header as the board prints it; a continued post leaves the ID out.
std::string Header(std::string_view number, std::string_view name, std::string_view date, std::string_view id)
{
    std::string text = "＞";
    text += number;
    text += " 名前：";
    text += name;
    text += " 投稿日：";
    text += date;
    if (!id.empty()) {
        text += " ID:";
        text += id;
    }
    return text;
}

std::string DiscussionCards()
{
    return JoinLines({
        Header("15", "名無しさん＠企画会議", "02/03/09 01:12", "kM0rQ9aZ"),
        Header("16", "名無しさん＠企画会議", "02/03/09 01:14", ""),
        "カードの種類",
        "・スレッドカード",
        "　赤・緑・青の３色。出すと一番上に新スレが立つ。",
        "・レスカード",
        "　１レス・１０レス・５０レス・１００レスの４種類。",
        "　色は赤・緑・青と、どの色のスレにも書ける虹。",
        "　ほかにage/sageと、容量（KB）がある。",
        WideSpace,
        "レス数が１０００のスレッドを先に作ったほうが勝ち。",
        "手番では山札から１枚引いて、１枚出すか捨てる。",
    });
}

std::string DiscussionRules()
{
    return JoinLines({
        Header("23", "名無しさん＠企画会議", "02/03/09 01:40", "Qz8wTn2c"),
        "簡潔に説明すると",
        "１．手札は１０枚。最初の２枚はスレッドカード。",
        "２．自分の番に１枚出して、山札から１枚補充。",
        "３．レスカードでスレのレス数と容量が増える。",
        "４．スレは１０００レスか５１２KBで終わって点数になる。",
        "５．山札がなくなったら、点数の一番多い人の勝ち。",
        "スレッドの属性",
        "　色：赤・緑・青。同じ色か虹のカードだけ書ける。",
        "　age/sage：sageのスレにはsageのカードしか書けない。",
        "　容量：５１２KBまで。超えたらもう書けない。",
    });
}

std::string DiscussionTurn(std::string_view makerName)
{
    const std::string poster = std::string(makerName) + " " + std::string(MakerTrip);
    return JoinLines({
        Header("41", poster, "02/03/10 22:05", "Ya7cL0pW"),
        "Ａ．スレを立てる",
        "　スレッドカードを出すと、一番上に新しいスレが立つ。",
        "　スレがいっぱいなら、一番下のスレがdat落ちして採点。",
        Header("42", poster, "02/03/10 22:09", "Ya7cL0pW"),
        "Ｂ．レスをする",
        "　同じ色か虹色のレスカードをスレに出す。",
        "　１００レスごとにキリ番、１０００レスで大ボーナス。",
        "　自分のスレに虹カードばかり出すと自作自演扱い。",
        Header("43", poster, "02/03/10 22:14", "Ya7cL0pW"),
        "Ｃ．イベントカードの使用",
        "　祭、もちつけ、sage進行、1000取り合戦のカードは",
        "　出すだけで効果が出る。Specialカードは管理人の降臨、",
        "　アク禁、削除、あぼーん、荒らしなど。",
        "５．カードを出したら、山札から１枚補充する。",
        "６．出せるカードがなければ、１枚捨てる。",
        "７．次の人の番へ。山札が尽きたら残りのスレを採点して終了。",
    });
}

template <typename... Credits>
std::string StaffPost(int headingIndent, std::string_view heading, int breaksAfterHeading,
                      const Credits&... credits)
{
    std::string text = Breaks(4) + Indent(headingIndent);
    text += heading;
    text += Breaks(breaksAfterHeading);
    ((text += Indent(CreditIndent), text += credits, text += LineEnd), ...);
    return text + Breaks(BlankLinesAfterCredits);
}

std::string MakerPost()
{
    std::string text = Breaks(2) + Indent(21) + "制作・著作" + Breaks(9);
    text += Indent(AddressIndent);
    text += MakerAddress;
    text += LineEnd;
    text += Indent(NoticeIndent);
    text += MakerNotice();
    text += LineEnd;
    return text;
}

} // namespace

std::array<std::string, 14> BuildEndingTexts(std::string_view makerName)
{
    return {
        DiscussionCards(),
        DiscussionRules(),
        DiscussionTurn(makerName),
        "Pakaponta" + Breaks(5),
        StaffPost(20, "企　　　　　画", 5, makerName),
        StaffPost(19, "プ　ロ　グ　ラ　ム", 5, makerName),
        StaffPost(19, "デザイン・ピクチャー", 5, makerName, "ぺんぎん画伯"),
        StaffPost(20, "キャラクタ設定", 5, makerName),
        StaffPost(22, "サウンド", 3, "ちくわぶ楽団", "ねぎま＠打ち込み中"),
        StaffPost(19, "マニュアル・校正", 5, makerName),
        StaffPost(19, "テストプレイ", 5, "名無しのテスター１号", "もなか", "ゴマだんご", "深夜のROM専"),
        StaffPost(18, "スペシャルサンクス", 5, "ぬこまる（管理人）", "Gomapon（神）"),
        StaffPost(18, "スペシャルサンクス", 5, "企画スレの名無しさん", "そして遊んでくれた", "あなた"),
        MakerPost(),
    };
}

std::string_view MakerNotice()
{
    return "※この板と住人はすべてフィクションです";
}

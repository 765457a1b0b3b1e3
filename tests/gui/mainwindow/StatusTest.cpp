// The status line (texts and colours in each mode), the error box, the confirmation of the
// saved-file settings with its two follow-up questions, and the window title.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPalette>

#include <algorithm>
#include <cmath>
#include <map>
#include <filesystem>
#include <fstream>
#include <numeric>

#include "WindowHarness.h"
#include "app/MessageTables.h"
#include "support/TempDir.h"

namespace {

const QColor kRed(255, 0, 0);
const QColor kGreen(0, 255, 0);

QString Field(const WindowHarness& h, int id)
{
    return h.Item<QLabel>(id)->text();
}

QColor FieldColour(const WindowHarness& h)
{
    return h.Item<QLabel>(1092)->palette().color(QPalette::Window);
}

// WCAG's relative luminance and the contrast ratio of two colours (1 to 21).
double Luminance(QRgb c)
{
    const auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}

double Contrast(QRgb a, QRgb b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The field as it is painted: the colour of most of its inside, and the text's colour that
// stands out most from it.
std::pair<QRgb, QRgb> PaintedColours(QLabel& field)
{
    const QImage image = field.grab().toImage();
    const QRect inside = field.contentsRect();
    std::map<QRgb, int> counts;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++counts[image.pixel(x, y)];
    const QRgb background =
        std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
    QRgb text = background;
    for (const auto& [colour, count] : counts)
        if (Contrast(colour, background) > Contrast(text, background))
            text = colour;
    return {background, text};
}

// The palette a dark desktop theme gives the application: light texts on dark faces.
QPalette DarkDesktopPalette()
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x24, 0x24, 0x24));
    dark.setColor(QPalette::WindowText, QColor(0xde, 0xdd, 0xda));
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    dark.setColor(QPalette::Text, QColor(0xde, 0xdd, 0xda));
    dark.setColor(QPalette::Button, QColor(0x30, 0x30, 0x30));
    dark.setColor(QPalette::ButtonText, QColor(0xde, 0xdd, 0xda));
    return dark;
}

QString StatusText(int n)
{
    return QString::fromUtf8(g_strStatusMsg[size_t(n)].data(), qsizetype(g_strStatusMsg[size_t(n)].size()));
}

}  // namespace

TEST(MainWindowStatus, IdleWithoutAPort)
{
    WindowHarness h([](FakeWaveIo& w, MemoryProfile&) { w.portName.clear(); });
    EXPECT_EQ(Field(h, 1092), QString::fromUtf8("未接続"));
    EXPECT_EQ(Field(h, 1094),
              QString::fromUtf8("受信機をUSBに接続し「通信／通信設定...」でポート番号を選択してください"));
    EXPECT_EQ(h.Probe().StatusColour(), kRed);
    EXPECT_EQ(FieldColour(h), kRed);
    EXPECT_EQ(h.dlg->windowTitle(), "Velquin");
}

TEST(MainWindowStatus, IdleWithAPortThatOpensAndOneThatDoesNot)
{
    WindowHarness h([](FakeWaveIo& w, MemoryProfile&) { w.portName = "/dev/ttyACM3"; });
    EXPECT_EQ(Field(h, 1092), "/dev/ttyACM3");
    EXPECT_EQ(Field(h, 1094), "");
    EXPECT_EQ(FieldColour(h), kGreen);
    EXPECT_EQ(h.dlg->windowTitle(), "Velquin [/dev/ttyACM3]");

    // Every update in idle tries the port once.
    h.wave->testPortResult = 0;
    h.wave->ClearCalls();
    h.dlg->UpdateStatusBar();
    EXPECT_EQ(std::count(h.wave->calls.begin(), h.wave->calls.end(), "TestPort"), 1);
    EXPECT_EQ(Field(h, 1092), "/dev/ttyACM3");
    EXPECT_EQ(Field(h, 1094), QString::fromUtf8("選択されたポートはオープンできません"));
    EXPECT_EQ(FieldColour(h), kRed);
}

TEST(MainWindowStatus, MeasuringShowsTheReceiverAndTheLinkState)
{
    WindowHarness h([](FakeWaveIo& w, MemoryProfile&) { w.receiverName = std::string("TQS27123456\0xyz", 15); });
    h.dlg->SetMode(2);
    h.dlg->UpdateStatusBar();
    EXPECT_EQ(Field(h, 1092), QString::fromUtf8("ttyUSB0 シリアル：123456 RQ-5"));
    EXPECT_EQ(Field(h, 1094), StatusText(0));
    EXPECT_EQ(FieldColour(h), kGreen);
    for (int status = 1; status <= 5; ++status) {
        h.wave->linkStatus = status;
        h.dlg->UpdateStatusBar();
        EXPECT_EQ(Field(h, 1094), StatusText(status)) << status;
        EXPECT_EQ(FieldColour(h), kRed) << status;
    }
    h.wave->linkStatus = 0;
    h.dlg->UpdateStatusBar();
    EXPECT_EQ(FieldColour(h), kGreen);

    // Only the first 11 characters of the name count.
    h.wave->receiverName = "TQR27654321TQS27";
    h.dlg->UpdateStatusBar();
    EXPECT_EQ(Field(h, 1092), QString::fromUtf8("ttyUSB0 シリアル：654321 Tessaly"));
    h.wave->receiverName = "ABCDE123456TQS27";
    h.dlg->UpdateStatusBar();
    EXPECT_EQ(Field(h, 1092), QString::fromUtf8("ttyUSB0 シリアル： RQ"));
}

TEST(MainWindowStatus, MeasuringNamesThePortShortSoSerialAndModelShowWhole)
{
    // The name under /dev, else the file's own name; the title keeps the whole path.
    const struct {
        const char* port;
        const char* shown;
    } cases[] = {
        {"/dev/ttyUSB10", "ttyUSB10 シリアル：012345 RQ-5"},
        {"/dev/ttyACM0", "ttyACM0 シリアル：012345 RQ-5"},
        {"/dev/pts/3", "pts/3 シリアル：012345 RQ-5"},
        {"/tmp/ttyUSB7", "ttyUSB7 シリアル：012345 RQ-5"},
        {"ttyS1", "ttyS1 シリアル：012345 RQ-5"},
    };
    for (const auto& c : cases) {
        WindowHarness h([&](FakeWaveIo& w, MemoryProfile&) {
            w.portName = c.port;
            w.receiverName = "TQS27012345";
        });
        h.dlg->SetMode(2);
        h.dlg->UpdateStatusBar();
        EXPECT_EQ(Field(h, 1092), QString::fromUtf8(c.shown)) << c.port;
        EXPECT_EQ(h.dlg->windowTitle(), QStringLiteral("Velquin [%1]").arg(QString::fromUtf8(c.port)));
    }
}

// The receiver field sets its own colour, and so its text's: readable in green and red on a
// light desktop and on a dark one.
TEST(MainWindowStatus, ReceiverFieldTextReadsOnItsColourOnAnyDesktop)
{
    const QPalette desktop = QApplication::palette();
    const struct {
        bool dark;
        int linkStatus;
        QColor background;
    } cases[] = {
        {true, 0, kGreen},
        {true, 3, kRed},
        {false, 0, kGreen},
        {false, 3, kRed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.dark ? "dark" : "light") + " desktop, link status " + std::to_string(c.linkStatus));
        QApplication::setPalette(c.dark ? DarkDesktopPalette() : desktop);
        WindowHarness h([](FakeWaveIo& w, MemoryProfile&) { w.receiverName = "TQS27012345"; });
        h.dlg->SetMode(2);
        h.wave->linkStatus = c.linkStatus;
        h.dlg->UpdateStatusBar();
        const auto [background, text] = PaintedColours(*h.Item<QLabel>(1092));
        EXPECT_EQ(QColor(background), c.background);
        EXPECT_GE(Contrast(text, background), 4.5) << QColor(text).name().toStdString();
    }
    QApplication::setPalette(desktop);
}

TEST(MainWindowStatus, TalkingToTheReceiverLeavesTheFieldsAlone)
{
    WindowHarness h;
    h.dlg->SetMode(1);
    const QString source = Field(h, 1092), text = Field(h, 1094);
    h.wave->portName = "/dev/ttyUSB9";
    h.wave->ClearCalls();
    h.dlg->UpdateStatusBar();
    EXPECT_EQ(Field(h, 1092), source);
    EXPECT_EQ(Field(h, 1094), text);
    EXPECT_TRUE(h.wave->calls.empty());
}

TEST(MainWindowStatus, ReviewDescribesTheRecorderOfTheFile)
{
    WindowHarness h;
    h.Probe().EnterReview("night.edf", "EEG-SET", 100);
    EXPECT_EQ(Field(h, 1092), QString::fromUtf8("シリアル：-     RQ"));
    EXPECT_EQ(Field(h, 1094), "");
    EXPECT_EQ(FieldColour(h), kGreen);
    h.Probe().SetRecorderId("TQS27000123");
    h.dlg->UpdateStatusBar();
    EXPECT_EQ(Field(h, 1092), QString::fromUtf8("シリアル：000123 RQ-5"));
    EXPECT_EQ(h.dlg->windowTitle(), "Velquin [night.edf]");
}

TEST(MainWindowStatus, ErrorBoxShowsTheTableTextAndNeverReadsPastIt)
{
    WindowHarness h;
    for (int n = 0; n < 20; ++n)
        EXPECT_EQ(h.dlg->ShowError(n), IDOK);
    ASSERT_EQ(h.prompter->shown.size(), 20u);
    for (int n = 0; n < 20; ++n) {
        EXPECT_EQ(h.prompter->shown[size_t(n)].icon, ePromptIcon::Exclamation);
        EXPECT_EQ(h.prompter->shown[size_t(n)].buttons, ePromptButtons::Ok);
    }
    std::vector<int> all(20);
    std::iota(all.begin(), all.end(), 0);
    EXPECT_EQ(h.prompter->ErrorNumbers(), all);
    EXPECT_EQ(h.dlg->ShowError(-1), 0);
    EXPECT_EQ(h.dlg->ShowError(20), 0);
    EXPECT_EQ(h.prompter->shown.size(), 20u);
}

namespace {

const char* const kHead =
    "計測されたデータは下記に保存されます。\r\n\r\n    保存先フォルダ：\r\n        /data/rec\r\n\r\n"
    "    保存ファイルタイプ：\r\n";
const char* const kTail =
    "\r\n\r\nこのまま計測を開始しますか？\r\n\r\nよろしければ「はい」を押してください。計測を開始します。"
    "\r\n\r\n設定を変更するときは「いいえ」を押し、\r\n保存ファイル設定ダイアログで設定を変更してください。\r\n";

QString Confirmation(const char* types, const char* names)
{
    return QString::fromUtf8(kHead) + QString::fromUtf8(types) + QString::fromUtf8("\r\n    保存ファイル名：\r\n") +
           QString::fromUtf8(names) + QString::fromUtf8(kTail);
}

void SetSettings(WindowHarness& h, const std::string& folder, int types, int naming,
                 const std::string& edf = "a.edf", const std::string& csv = "a.csv")
{
    CWaveLog& log = h.Probe().WaveLog();
    log.SetFolder(folder);
    log.SetFileTypes(types);
    log.SetNamingMode(naming);
    log.SetEdfFileName(edf);
    log.SetCsvFileName(csv);
}

}  // namespace

TEST(MainWindowPrompts, ConfirmationTextsForTheFourCombinations)
{
    WindowHarness h;
    struct Case {
        int types, naming;
        const char* typePart;
        const char* namePart;
    };
    const Case cases[] = {
        {0, 1, "        設定なし\r\n", "        設定なし\r\n"},
        {1, 1, "        EDFファイル\r\n",
         "        <デフォルト設定>\r\n        [計測開始年月日]_[時刻].edf(例：20180401_221315.edf)\r\n"},
        {3, 1, "        EDFファイル\r\n        CSVファイル\r\n",
         "        <デフォルト設定>\r\n        [計測開始年月日]_[時刻].edf(例：20180401_221315.edf)\r\n"
         "        [計測開始年月日]_[時刻].csv(例：20180401_221315.csv)\r\n"},
        {3, 0, "        EDFファイル\r\n        CSVファイル\r\n",
         "        <ユーザー設定>\r\n        night 1.edf\r\n        night,1;a=b.csv\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.types) + "/" + std::to_string(c.naming));
        SetSettings(h, "/data/rec", c.types, c.naming, "night 1.edf", "night,1;a=b.csv");
        h.prompter->shown.clear();
        h.prompter->answers = {IDCANCEL};
        EXPECT_EQ(h.dlg->ConfirmSavedFileSettings(), IDCANCEL);
        ASSERT_EQ(h.prompter->shown.size(), 1u);
        EXPECT_EQ(h.prompter->shown[0].text, Confirmation(c.typePart, c.namePart));
        EXPECT_EQ(h.prompter->shown[0].text.toUtf8(), Confirmation(c.typePart, c.namePart).toUtf8());
        EXPECT_EQ(h.prompter->shown[0].buttons, ePromptButtons::YesNoCancel);
        EXPECT_EQ(h.prompter->shown[0].icon, ePromptIcon::Question);
    }
}

TEST(MainWindowPrompts, NoFileTypeIsAskedWheneverNeitherTypeBitIsSet)
{
    WindowHarness h;
    const QString question = QString::fromUtf8(
        "保存ファイルタイプが設定されていません。\r\nこのまま計測を開始してもデータは保存されません。\r\nよろしいですか？");
    for (int types : {0, 4, 8, 12}) {
        SetSettings(h, "/data/rec", types, 1);
        h.prompter->shown.clear();
        h.prompter->answers = {IDYES, IDNO};
        EXPECT_EQ(h.dlg->ConfirmSavedFileSettings(), IDNO) << types;
        ASSERT_EQ(h.prompter->shown.size(), 2u) << types;
        EXPECT_EQ(h.prompter->shown[1].text, question);
        EXPECT_EQ(h.prompter->shown[1].buttons, ePromptButtons::YesNo);
    }
    for (int types : {1, 2, 5}) {
        SetSettings(h, "/data/rec", types, 1);
        EXPECT_EQ(h.dlg->ConfirmNoFileType(), IDYES) << types;
    }
}

TEST(MainWindowPrompts, OverwriteQuestionsForExistingUserFiles)
{
    WindowHarness h;
    TempDir dir;
    std::ofstream(dir.file("old.edf")) << "x";
    std::ofstream(dir.file("old.csv")) << "x";
    std::filesystem::create_symlink(dir.file("gone"), dir.file("dangling.csv"));
    const QString edfQuestion = QString::fromUtf8("指定されたEDFファイルはすでに存在します。\r\n上書きしますか？");
    const QString csvQuestion = QString::fromUtf8("指定されたCSVファイルはすでに存在します。\r\n上書きしますか？");

    // Both exist: EDF first; No there stops before the CSV question.
    SetSettings(h, dir.str(), 3, 0, "old.edf", "old.csv");
    h.prompter->shown.clear();
    h.prompter->answers = {IDYES, IDNO};
    EXPECT_EQ(h.dlg->ConfirmSavedFileSettings(), IDNO);
    ASSERT_EQ(h.prompter->shown.size(), 2u);
    EXPECT_EQ(h.prompter->shown[1].text, edfQuestion);

    h.prompter->shown.clear();
    h.prompter->answers = {IDYES, IDYES, IDYES};
    EXPECT_EQ(h.dlg->ConfirmSavedFileSettings(), IDYES);
    ASSERT_EQ(h.prompter->shown.size(), 3u);
    EXPECT_EQ(h.prompter->shown[2].text, csvQuestion);

    // Yes agrees to replace the file that stood under the name when the question was asked:
    // one put there while the box is open stays, and the start fails.
    SetSettings(h, dir.str(), 1, 0, "old.edf", "old.csv");
    h.prompter->answers = {};
    h.prompter->whileShown = [&] {
        if (h.prompter->shown.back().text != edfQuestion)
            return;
        std::filesystem::rename(dir.file("old.edf"), dir.file("asked about.edf"));
        std::ofstream(dir.file("old.edf")) << "came while asking";
    };
    EXPECT_EQ(h.dlg->ConfirmSavedFileSettings(), IDYES);
    h.prompter->whileShown = nullptr;
    EXPECT_EQ(h.Probe().WaveLog().Open(), 0);
    std::ifstream kept(dir.file("old.edf"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "came while asking");

    // A new name asks nothing; a dangling link counts as taken, since it would be replaced.
    SetSettings(h, dir.str(), 3, 0, "new.edf", "dangling.csv");
    h.prompter->shown.clear();
    h.prompter->answers = {IDYES, IDNO};
    EXPECT_EQ(h.dlg->ConfirmSavedFileSettings(), IDNO);
    ASSERT_EQ(h.prompter->shown.size(), 2u);
    EXPECT_EQ(h.prompter->shown[1].text, csvQuestion);

    // Automatic names never ask, whatever exists.
    SetSettings(h, dir.str(), 3, 1, "old.edf", "old.csv");
    h.prompter->shown.clear();
    EXPECT_EQ(h.dlg->ConfirmSavedFileSettings(), IDYES);
    EXPECT_EQ(h.prompter->shown.size(), 1u);
}

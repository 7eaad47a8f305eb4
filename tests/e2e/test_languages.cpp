// Every window of the program in every language: each form is opened as the program opens it
// (its menu command, a double click on an object, the button of the dialog that opens it; the
// few that only a transfer or another window shows are made as that code makes them), after the
// language command, and no text the caption file has for it is left blank or in English (no
// menu item, dialog title, control caption, list item or hint), and a font size reads "5x8"
// in every list, and a title taken from a menu item keeps no access key. A window that stays open
// across a language command is looked at again after one. The English walk also lists every
// caption key the forms read: a key of the caption files that no form reads is either on the
// list of explained ones below or a fault (a renamed control, a text that never shows). In
// every menu of the main window and of the page windows, in every language, no two items share
// an access key; the file dialogs name their kind of file in the language.
#include "e2efixture.h"

#include "app/comm/keypadlink.h"
#include "app/comm/ui/tcomprogbar.h"
#include "app/comm/ui/tdlgmondisp.h"
#include "app/dialogs/tdevref.h"
#include "app/dialogs/tfrmgridtable.h"
#include "app/dialogs/tfrmrange.h"
#include "app/editor/pageeditor.h"
#include "app/editor/screeneditor.h"
#include "app/editor/timagepage.h"
#include "app/inspector/tdlgprop.h"
#include "app/print/tsaveasdlg.h"
#include "app/project/ui/tfrmmsgshow.h"
#include "app/project/ui/tlxtype.h"
#include "app/shell/shelltools.h"
#include "app/shell/tframetreeview.h"
#include "app/shell/tkhm_comm.h"
#include "app/ui/msgtable.h"
#include "app/ui/translate.h"
#include "platform/codepage.h"
#include "platform/inifile.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <map>
#include <memory>
#include <optional>
#include <set>

namespace kes::test {
namespace {

const int kLanguages[] = {LangEng, LangCht, LangChs};
const char* const kLanguageItem[] = {"MmLangCht", "MmLangChs", "MmLangEng"};

// A caption as the eye reads it: no access key, no trailing dots.
QString Plain(QString text)
{
    static const QRegularExpression accessKey(QStringLiteral("\\(&.\\)|&(?=[^&])"));
    text.remove(accessKey);
    while (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text.trimmed();
}

QString Lower(const std::string& s) { return QString::fromStdString(s).toLower(); }

// The three caption files of the program folder, decoded in their code pages.
class CaptionTexts {
public:
    explicit CaptionTexts(const std::string& dir)
    {
        for (int lang : kLanguages)
            files_.emplace(lang, TIniFile(dir + CaptionFileName(lang)));
        // Texts that are English only: an English text of some key that its translation does
        // not share and that no translated text is.
        for (int lang : {LangCht, LangChs}) {
            std::set<QString> translated;
            std::map<QString, std::string> english;
            for (const std::string& section : files_.at(LangEng).ReadSections())
                for (const std::string& key : files_.at(LangEng).ReadSection(section)) {
                    const QString en = Plain(Text(LangEng, section, key));
                    const QString tr = Plain(Text(lang, section, key));
                    translated.insert(tr);
                    if (!en.isEmpty() && en != tr)
                        english.emplace(en, key);
                }
            for (const QString& t : translated)
                english.erase(t);
            englishOnly_[lang] = std::move(english);
        }
    }

    QString Text(int lang, const std::string& section, const std::string& key) const
    {
        ScopedCodePage cp(LangCodePage(lang));
        return AnsiToQString(files_.at(lang).ReadString(section, key, ""));
    }

    // The key whose English text this is, when it is English only in lang.
    const std::string* EnglishKey(int lang, const QString& shown) const
    {
        if (lang == LangEng)
            return nullptr;
        const auto& english = englishOnly_.at(lang);
        const auto it = english.find(Plain(shown));
        return it == english.end() ? nullptr : &it->second;
    }

    // Every key of the English file, lower case, as "section/key".
    std::set<QString> AllKeys() const
    {
        std::set<QString> keys;
        for (const std::string& section : files_.at(LangEng).ReadSections())
            for (const std::string& key : files_.at(LangEng).ReadSection(section))
                keys.insert(Lower(section) + QLatin1Char('/') + Lower(key));
        return keys;
    }

private:
    std::map<int, TIniFile> files_;
    std::map<int, std::map<QString, std::string>> englishOnly_;
};

// What a form shows that its language does not: a blank where the file has a text, or an
// English text under a Chinese language.
std::vector<std::string> Untranslated(QWidget& form, int lang, const CaptionTexts& texts)
{
    std::vector<std::string> found;
    const std::string name = form.objectName().toStdString();
    const std::string section = FormSectionName(name);
    const std::vector<CaptionLine> lines = FormCaptionLines(&form);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const CaptionLine& line = lines[i];
        // The form's caption stands in the section of its full name, the rest in the trimmed one.
        const std::string key = section + line.key.substr(name.size());
        const QString want = texts.Text(lang, i == 0 ? name : section, i == 0 ? line.key : key);
        const QString english = texts.Text(LangEng, i == 0 ? name : section, i == 0 ? line.key : key);
        if (!want.isEmpty() && line.text.isEmpty())
            found.push_back(key + " is blank, the file has \"" + want.toStdString() + "\"");
        else if (lang != LangEng && !english.isEmpty() && want != english && line.text == english)
            found.push_back(key + " is left in English: \"" + english.toStdString() + "\"");
        else if (const std::string* from = texts.EnglishKey(lang, line.text))
            found.push_back(key + " shows the English text of " + *from + ": \"" + line.text.toStdString() + "\"");
    }
    return found;
}

class Languages : public E2ETest {
protected:
    using Look = std::function<void(QWidget&)>;

    struct Form {
        const char* section;
        std::function<void(const Look&)> open;
        bool staysOpen = false; // a window the user can keep open across a language command
    };

    void SetUp() override
    {
        E2ETest::SetUp();
        NewProject();
        for (const auto& [tool, from, to] : kDrawn) {
            TLxObj* o = DrawWith(tool, At(from.x(), from.y()), At(to.x(), to.y()));
            ASSERT_NE(o, nullptr) << tool;
            middles_[tool] = QPoint(o->Left + o->Width / 2, o->Top + o->Height / 2);
        }
        Trigger("tbPointTo");
    }

    void Language(int lang) { Trigger(kLanguageItem[lang]); }

    void FromMenu(const char* menu, const char* command, const Look& look)
    {
        auto* m = Main()->findChild<QMenu*>(QString::fromLatin1(menu) + QStringLiteral("_menu"));
        ASSERT_NE(m, nullptr) << menu;
        emit m->aboutToShow();
        RunWithDialog(command, [&](QDialog& d) { look(d); });
    }
    void Object(const char* tool, const Look& look)
    {
        DoubleClickOn(middles_.at(tool), [&](QDialog& d) { look(d); });
    }
    // A window shown by the code that makes it, then closed.
    template <class W> static void Shown(W& w, const Look& look)
    {
        w.show();
        look(w);
        w.close();
    }

    std::vector<Form> Forms()
    {
        auto command = [this](const char* item) {
            return [this, item](const Look& look) { RunWithDialog(item, [&](QDialog& d) { look(d); }); };
        };
        auto menu = [this](const char* m, const char* item) {
            return [this, m, item](const Look& look) { FromMenu(m, item, look); };
        };
        auto object = [this](const char* tool) { return [this, tool](const Look& look) { Object(tool, look); }; };
        const int lang = Main()->Doc.LangIndex;
        return {
            {"Khm", [](const Look& look) { look(*Main()); }},
            {"HmPage",
             [this](const Look& look) {
                 CurPage()->PgPopMmPopup();
                 look(*CurPage());
             }},
            {"ImagePage",
             [this](const Look& look) {
                 Trigger("MmStartPg");
                 ASSERT_NE(Main()->Screens->ImagePage(), nullptr);
                 Main()->Screens->ImagePage()->PgPopMmPopup();
                 look(*Main()->Screens->ImagePage());
                 Trigger("MmLxe");
             }},
            {"LxType",
             [](const Look& look) {
                 Main()->LxType->show();
                 look(*Main()->LxType);
                 Main()->LxType->hide();
             }},
            {"AboutBox", command("MmVersion")},
            {"ComSet", command("MmComNum")},
            {"FrmHMIProto", command("MmHMIProto")},
            {"Modem", command("MmModemSet")},
            {"FrmAutoSaveSet", command("MmAutoSave")},
            {"FrmPLCAddrMap", command("MmPLCSet")},
            {"FrmUserLevel", command("MmUserLevel")},
            {"PgListFrm", command("MmPgData")},
            {"PgJump", menu("MmPageSet", "MmPgJump")},
            {"PgJump", menu("MmGlobalSet", "MmSysPgChgSet")},
            {"FunKeySet", menu("MmPageSet", "MmFunKeyEt")},
            {"FunKeySet", menu("MmGlobalSet", "MmSysFunKeySet")},
            {"SysSet", menu("MmPageSet", "MmBuzzerSet")},
            {"SysSet", menu("MmGlobalSet", "MmSysLedSet")},
            {"SysSet", menu("MmGlobalSet", "MmSysPowerOnSet")},
            {"FrmPLCValAddrSet", menu("MmPageSet", "MmPgPageWriteSet")},
            {"FrmParaSet", menu("MmGlobalSet", "MmParaset")},
            {"PrnSet", command("MmPrintmmPg")},
            {"PrnView",
             [this](const Look& look) {
                 AnswerNested(QStringLiteral("PrnView"), [&](QDialog& d) { look(d); });
                 RunWithDialog("MmPrintmmPg", [](QDialog& d) { PushButton(d, "PreviewBtn"); });
                 AnswerNested(QStringLiteral("PrnView"), {});
             }},
            {"ShowPagePropDlg", command("MmPgDataSave")},
            {"SaveAsDlg",
             [this](const Look& look) {
                 AnswerNested(QStringLiteral("SaveAsDlg"), [&](QDialog& d) { look(d); });
                 RunWithDialog("MmPgDataSave", [](QDialog& d) { PushButton(d, "BtnSaveAs"); });
                 AnswerNested(QStringLiteral("SaveAsDlg"), {});
             }},
            {"FrmSaveTo",
             [lang](const Look& look) {
                 TFrmSaveTo w(Main(), lang);
                 Shown(w, look);
             }},
            {"FrmMultiCopy",
             [this](const Look& look) {
                 QTest::mouseClick(Canvas(), Qt::LeftButton, {}, middles_.at("TbStTxt"));
                 prompt.onExec = [&](QDialog& d) { look(d); };
                 CurPage()->Pop("MmMultiCopy")->trigger();
                 prompt.onExec = nullptr;
             }},
            {"TxtEdit", object("TbStTxt")},
            {"ValStaSet", object("TbVal")},
            {"VrgSet", object("TbValRange")},
            {"BmpSet", object("TbActBmp")},
            {"BmpSet", object("TbLighter")},
            {"ProgBarSet", object("TbProgBar")},
            {"MsgSet", object("TbMsg")},
            {"MetrolSet", object("TbMetrol")},
            {"ValStGet", object("TbInputVal")},
            {"BtnSet", object("TbBtn")},
            {"DevStaSet", object("TbBit")},
            {"ScaleSet", object("TbScale")},
            {"MeterSet", object("TbCirMeter")},
            {"CurveSet", object("TbCurves")},
            {"CurveSet", object("TbXyCurve")},
            {"RtcSet", object("TbRtc")},
            {"DevRef",
             [this](const Look& look) {
                 AnswerNested(QStringLiteral("DevRef"), [&](QDialog& d) { look(d); });
                 Object("TbBtn", [](QWidget& d) { PushButton(d, "RefWBtn"); });
                 AnswerNested(QStringLiteral("DevRef"), {});
             }},
            {"FrmGridTable",
             [lang](const Look& look) {
                 TFrmGridTable w(Main(), Main()->Ask(), lang);
                 Shown(w, look);
             }},
            {"FrmRange",
             [lang](const Look& look) {
                 TFrmRange w(Main(), Main()->Ask(), lang, 3);
                 Shown(w, look);
             }},
            {"ComProgBar",
             [lang](const Look& look) {
                 TComProgBar w(Main(), {}, lang);
                 Shown(w, look);
             }},
            {"DlgMonDisp",
             [](const Look& look) {
                 TDlgMonDisp w(Main(), Main()->Ask(), Main()->Doc, *Main()->MMICom, TestDisplayEnv{});
                 Shown(w, look);
             }},
            {"FrmKeySetting",
             [](const Look& look) {
                 QWidget* w = Main()->CreateKeySetting();
                 w->show();
                 look(*w);
                 delete w;
             },
             true},
            {"DlgProp",
             [this](const Look& look) {
                 if (!Main()->View.ObjInspectorOn)
                     Trigger("MmObjInspector");
                 ASSERT_NE(Main()->Inspector(), nullptr);
                 look(*Main()->Inspector());
             },
             true},
            {"FrameTreeView",
             [this](const Look& look) {
                 if (!Main()->View.PageTreeOn)
                     Trigger("MmTreeView");
                 TFrameTreeView* tree = PageTreeOf(*Main());
                 ASSERT_NE(tree, nullptr);
                 look(*tree);
             },
             true},
            {"FrmMsgShow",
             [](const Look& look) {
                 TFrmMsgShow* w = ShowCheckResult(Main(), Main()->CtBarErr, Main()->Doc, *Main()->PageEd,
                                                  {"[Error]Text [2,2] (Page number 0) : no address"});
                 ASSERT_NE(w, nullptr);
                 look(*w);
             },
             true},
        };
    }

    // The objects drawn on the page, one of each kind with a dialog.
    struct Drawn {
        const char* tool;
        QPoint from, to;
    };
    static constexpr Drawn kDrawn[] = {
        {"TbStTxt", {2, 2}, {40, 14}},      {"TbVal", {44, 2}, {70, 12}},         {"TbInputVal", {74, 2}, {104, 12}},
        {"TbBtn", {108, 2}, {136, 14}},     {"TbMsg", {140, 2}, {188, 12}},       {"TbValRange", {2, 18}, {18, 34}},
        {"TbActBmp", {22, 18}, {38, 34}},   {"TbLighter", {42, 18}, {58, 34}},    {"TbBit", {62, 18}, {78, 34}},
        {"TbMetrol", {82, 20}, {98, 30}},   {"TbProgBar", {102, 18}, {110, 34}},  {"TbScale", {114, 18}, {150, 34}},
        {"TbRtc", {120, 42}, {156, 54}},    {"TbCirMeter", {160, 38}, {184, 62}}, {"TbCurves", {32, 38}, {70, 62}},
        {"TbXyCurve", {76, 38}, {114, 62}},
    };
    std::map<std::string, QPoint> middles_;
};

// Keys of the caption files that no form reads, and why they stay.
const char* const kExplainedKeys[] = {
    // The main window's caption: the title bar shows the product and the project instead; the
    // caption list writer puts the key first and the caption files keep it.
    "khm/khm.caption",
};

TEST_F(Languages, NoTextIsLeftBlankOrInEnglishAndEveryCaptionKeyIsRead)
{
    const CaptionTexts texts(Dir());
    std::set<QString> read;
    for (int lang : kLanguages) {
        Language(lang);
        for (const Form& form : Forms()) {
            SCOPED_TRACE(std::string(form.section) + " in " + CaptionFileName(lang));
            int looked = 0;
            form.open([&](QWidget& w) {
                ++looked;
                EXPECT_EQ(FormSectionName(w.objectName().toStdString()), form.section);
                EXPECT_EQ(Untranslated(w, lang, texts), std::vector<std::string>{});
                // A title taken from a menu item leaves its access key behind: "蜂鳴器(&B)" reads "蜂鳴器".
                static const QRegularExpression accessKey(QStringLiteral("&|\\(\\w\\)"));
                EXPECT_FALSE(w.windowTitle().contains(accessKey)) << w.windowTitle().toStdString();
                if (lang == LangEng) {
                    for (const CaptionKey& k : FormCaptionKeys(&w))
                        read.insert(Lower(k.section) + QLatin1Char('/') + Lower(k.key));
                    // A font size reads the same in every list: "5x8".
                    static const QRegularExpression size(QStringLiteral("^\\d+[xX]\\d+"));
                    for (const QComboBox* box : w.findChildren<QComboBox*>())
                        for (int i = 0; i < box->count(); ++i) {
                            const QString item = box->itemText(i);
                            EXPECT_FALSE(item.contains(size) && item.contains(QLatin1Char('X')))
                                << box->objectName().toStdString() << ": " << item.toStdString();
                        }
                }
                if (form.staysOpen) {
                    // The language command while it is open: away and back again.
                    Language(lang == LangEng ? LangCht : LangEng);
                    Language(lang);
                    EXPECT_EQ(Untranslated(w, lang, texts), std::vector<std::string>{}) << "after a language command";
                }
            });
            EXPECT_EQ(looked, 1) << "the form did not open";
        }
    }
    for (const char* k : kExplainedKeys)
        read.insert(QString::fromLatin1(k));
    std::vector<std::string> unread;
    for (const QString& k : texts.AllKeys())
        if (!read.count(k))
            unread.push_back(k.toStdString());
    EXPECT_EQ(unread, std::vector<std::string>{}) << "caption keys no form reads";
}

// The names beside the start and end characters of the key settings are not in the caption
// file (it gives them empty captions): they are the window's own and stay after every
// translation, on show and on a language command while the window is open.
TEST_F(Languages, KeySettingNamesStayAfterEveryTranslation)
{
    Main()->Doc.KeySetRec.StartChar = 2;
    Main()->Doc.KeySetRec.EndChar = 3;
    std::unique_ptr<QWidget> form(Main()->CreateKeySetting());
    ASSERT_NE(form, nullptr);
    auto names = [&] {
        return std::pair(Control<QLabel>(*form, "StartCharName").text().toStdString(),
                         Control<QLabel>(*form, "TerminateName").text().toStdString());
    };
    const auto named = std::pair(ControlCharName(2), ControlCharName(3));
    ASSERT_FALSE(named.first.empty());
    form->show();
    EXPECT_EQ(names(), named) << "on show";
    for (int lang : {LangCht, LangChs, LangEng}) {
        Language(lang);
        EXPECT_EQ(names(), named) << CaptionFileName(lang);
    }
    form->hide();
    form->show();
    EXPECT_EQ(names(), named) << "shown again";
}

// The file dialogs name the kind of file in the language: the filter is a message, Qt's own
// labels come from Qt's translation.
TEST_F(Languages, FileDialogsNameTheirFilesInTheLanguage)
{
    static const QRegularExpression han(QStringLiteral("\\p{Han}"));
    for (int lang : {LangCht, LangChs}) {
        Language(lang);
        RunWithDialog("MmSaveAs", [&](QDialog& d) {
            auto& files = dynamic_cast<QFileDialog&>(d);
            ASSERT_FALSE(files.nameFilters().isEmpty());
            EXPECT_TRUE(files.nameFilters().front().contains(han)) << files.nameFilters().front().toStdString();
            EXPECT_TRUE(files.nameFilters().front().endsWith(QStringLiteral("(*.zqf)")));
            EXPECT_TRUE(Control<QLabel>(d, "fileTypeLabel").text().contains(han));
        });
    }
}

// The access key of a menu item, upper case; none for an item without one.
std::optional<QChar> AccessKey(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return text[i + 1].toUpper();
    }
    return std::nullopt;
}

TEST_F(Languages, NoTwoItemsOfAMenuShareAnAccessKey)
{
    Trigger("MmStartPg");
    Trigger("MmLxe");
    for (int lang : kLanguages) {
        Language(lang);
        CurPage()->PgPopMmPopup();
        std::vector<QWidget*> menus{Main()->menuBar()};
        for (QWidget* w : QApplication::allWidgets())
            if (qobject_cast<QMenu*>(w))
                menus.push_back(w);
        for (QWidget* menu : menus) {
            std::map<QChar, QString> keys;
            for (const QAction* a : menu->actions()) {
                const std::optional<QChar> key = AccessKey(a->text());
                if (!key)
                    continue;
                const auto [it, added] = keys.emplace(*key, a->text());
                EXPECT_TRUE(added) << CaptionFileName(lang) << ", " << menu->objectName().toStdString() << ": "
                                   << a->text().toStdString() << " and " << it->second.toStdString();
            }
        }
    }
}

// Pictures of the Page and System menus, their dialogs, a question and a file dialog in English
// and Traditional Chinese, for looking at: run under an X server (QT_QPA_PLATFORM=xcb, Xvfb at
// 1366x768) with KES_SCREENSHOT naming a folder; skipped otherwise.
class LanguageShots : public Languages {
protected:
    LanguageShots()
    {
        passOn_.to = &prompt;
        asks = &passOn_;
    }

    // What the window asks through: passes everything on to the scripted prompt, or to Qt's own
    // message boxes.
    struct PassOn : Prompt {
        Prompt* to = nullptr;
        Answer Message(const QString& text, Buttons buttons, MsgKind kind) override
        {
            return to->Message(text, buttons, kind);
        }
        int Exec(QDialog* dialog) override { return to->Exec(dialog); }
    };
    // While on, the window's questions show in Qt's own message boxes over it.
    void AskWithQtBoxes(bool on)
    {
        widgets_ = on ? std::make_unique<WidgetPrompt>(Main()) : nullptr;
        passOn_.to = on ? static_cast<Prompt*>(widgets_.get()) : &prompt;
    }

    void Grab(const QString& name)
    {
        QApplication::processEvents();
        QTest::qWait(150);
        QPixmap screen;
        if (QScreen* s = QGuiApplication::primaryScreen())
            screen = s->grabWindow(0);
        if (screen.isNull() || screen.toImage().allGray())
            screen = Main()->grab();
        EXPECT_TRUE(screen.save(folder_ + QLatin1Char('/') + name + QStringLiteral(".png"))) << name.toStdString();
    }
    QString folder_ = QString::fromLocal8Bit(qgetenv("KES_SCREENSHOT"));

private:
    PassOn passOn_;
    std::unique_ptr<WidgetPrompt> widgets_;
};

TEST_F(LanguageShots, Screenshots)
{
    if (folder_.isEmpty())
        GTEST_SKIP() << "KES_SCREENSHOT not set";
    QDir().mkpath(folder_);
    Main()->showMaximized();
    const struct {
        int lang;
        const char* suffix;
    } languages[] = {{LangEng, "eng"}, {LangCht, "cht"}};
    const struct {
        const char* menu;
        const char* command;
        const char* name;
    } dialogs[] = {
        {"MmPageSet", "MmPgJump", "page-pgjump"},
        {"MmPageSet", "MmFunKeyEt", "page-funkeys"},
        {"MmPageSet", "MmBuzzerSet", "page-buzzer"},
        {"MmPageSet", "MmLedSet", "page-lamp"},
        {"MmPageSet", "MmPgPageWriteSet", "page-numberwrite"},
        {"MmGlobalSet", "MmParaset", "system-parameters"},
        {"MmGlobalSet", "MmSysPgChgSet", "system-pgjump"},
        {"MmGlobalSet", "MmSysFunKeySet", "system-funkeys"},
        {"MmGlobalSet", "MmSysBuzzerSet", "system-buzzer"},
        {"MmGlobalSet", "MmSysLedSet", "system-lamp"},
        {"MmGlobalSet", "MmClock", "system-clock"},
        {"MmGlobalSet", "MmSysPowerOnSet", "system-poweron"},
        {"MmGlobalSet", "MmUserLevel", "system-passwords"},
    };
    for (const auto& l : languages) {
        Language(l.lang);
        const QString suffix = QStringLiteral("-") + QLatin1String(l.suffix);
        for (const char* menu : {"MmPageSet", "MmGlobalSet"}) {
            Main()->menuBar()->setActiveAction(Main()->Action(menu));
            Grab(QString::fromLatin1(menu == std::string("MmPageSet") ? "menu-page" : "menu-system") + suffix);
            Main()->findChild<QMenu*>(QString::fromLatin1(menu) + QStringLiteral("_menu"))->close();
            Main()->menuBar()->setActiveAction(nullptr);
        }
        for (const auto& d : dialogs)
            FromMenu(d.menu, d.command, [&](QWidget&) { Grab(QLatin1String(d.name) + suffix); });
        // A question of the program through Qt's own message box: closing a changed project.
        QTimer::singleShot(300, [&] {
            Grab(QStringLiteral("question") + suffix);
            if (QWidget* box = QApplication::activeModalWidget())
                QTest::keyClick(box, Qt::Key_Escape);
        });
        AskWithQtBoxes(true);
        Main()->Doc.Modified = 1;
        Trigger("MmClosePrj");
        AskWithQtBoxes(false);
        ASSERT_NE(CurPage(), nullptr) << "the question was cancelled";
        RunWithDialog("MmSaveAs", [&](QDialog&) { Grab(QStringLiteral("filedialog") + suffix); });
    }
}

} // namespace
} // namespace kes::test

// The six shipped language files are complete: every message number the program uses stands
// in all three message files with a text, the three share their numbering, and every caption
// the translator reads for a form stands in all three caption files (a missing key would empty
// the text on screen).
//
// Message numbers are found in the sources by these forms: a constant named kMsg... set to a
// number, Msg(n), MsgAnsi(n), ShowMsg(n) and MsgTable[n] with a literal number.
#include "shellfixture.h"

#include "app/project/ui/tlxtype.h"
#include "app/shell/startup.h"
#include "app/shell/taboutbox.h"
#include "app/shell/tkhm.h"
#include "app/ui/msgtable.h"
#include "app/ui/translate.h"
#include "platform/fileio.h"
#include "platform/inifile.h"

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <regex>
#include <set>

namespace kes::test {
namespace {

const int kLanguages[] = {LangCht, LangChs, LangEng};

// Every message number used in the program's sources, with one place that uses it.
std::map<int, std::string> MessageNumbersInSources()
{
    static const std::regex uses(
        R"(\bkMsg\w*\s*=\s*(\d+)|\b(?:Msg|MsgAnsi|ShowMsg)\(\s*(\d+)\s*\)|\bMsgTable\s*\[\s*(\d+)\s*\])");
    std::map<int, std::string> numbers;
    const std::filesystem::path app = std::filesystem::path(KES_SOURCE_DIR) / "app";
    for (const auto& entry : std::filesystem::recursive_directory_iterator(app)) {
        const auto ext = entry.path().extension();
        if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h"))
            continue;
        std::string text;
        ReadFileText(entry.path().string(), 1u << 30, text, nullptr);
        for (auto it = std::sregex_iterator(text.begin(), text.end(), uses); it != std::sregex_iterator(); ++it)
            for (int g = 1; g <= 3; ++g)
                if ((*it)[g].matched)
                    numbers.emplace(std::stoi((*it)[g].str()), entry.path().filename().string());
    }
    return numbers;
}

TEST(LanguageFiles, EveryMessageNumberInTheSourcesHasATextInAllThreeLanguages)
{
    const std::map<int, std::string> used = MessageNumbersInSources();
    ASSERT_FALSE(used.empty());
    auto keysOf = [](const TIniFile& ini) {
        const std::vector<std::string> keys = ini.ReadSection("Message");
        return std::set<std::string>(keys.begin(), keys.end());
    };
    const std::set<std::string> english = keysOf(TIniFile(std::string(KES_BIN_DIR) + "/" + MsgFileName(LangEng)));
    for (int lang : kLanguages) {
        TIniFile ini(std::string(KES_BIN_DIR) + "/" + MsgFileName(lang));
        ASSERT_TRUE(ini.Loaded()) << MsgFileName(lang);
        const int count = ini.ReadInteger("Message", "Count", 0);
        for (const auto& [n, where] : used) {
            EXPECT_LT(n, count) << MsgFileName(lang) << ": Count does not reach message " << n << " of " << where;
            EXPECT_FALSE(ini.ReadString("Message", "M" + std::to_string(n), "").empty())
                << MsgFileName(lang) << " has no text for message " << n << " used in " << where;
        }
        // One numbering for the three languages.
        EXPECT_EQ(keysOf(ini), english) << MsgFileName(lang);
    }
}

// The forms whose captions come from the caption files, made as the program makes them.
using FormFactory = std::function<std::unique_ptr<QWidget>()>;

class CaptionFiles : public StartedShell {
protected:
    void ExpectAllKeys(QWidget* form)
    {
        for (int lang : kLanguages) {
            TIniFile ini(Path(CaptionFileName(lang)));
            ASSERT_TRUE(ini.Loaded()) << CaptionFileName(lang);
            for (const CaptionKey& k : FormCaptionKeys(form)) {
                // An empty hint of a label stays empty without a key.
                const bool labelHint = (k.componentClass == "TLabel" || k.componentClass == "TCheckBox") &&
                                       k.key.size() > 5 && k.key.compare(k.key.size() - 5, 5, ".Hint") == 0;
                if (!labelHint) {
                    EXPECT_TRUE(ini.ValueExists(k.section, k.key))
                        << CaptionFileName(lang) << ": [" << k.section << "] " << k.key;
                }
            }
        }
    }
};

TEST_F(CaptionFiles, EveryCaptionOfEveryFormIsInAllThreeLanguages)
{
    ExpectAllKeys(Main());
    ExpectAllKeys(Main()->LxType);
    const std::pair<const char*, FormFactory> forms[] = {
        {"AboutBox", [] { return std::make_unique<TAboutBox>(Main(), Main()->Doc.LangIndex, *Main()->FileOpen); }},
    };
    for (const auto& [name, make] : forms) {
        SCOPED_TRACE(name);
        std::unique_ptr<QWidget> form = make();
        ExpectAllKeys(form.get());
    }
}

} // namespace
} // namespace kes::test

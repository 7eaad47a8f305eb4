#include "app/ui/msgtable.h"

#include "platform/codepage.h"
#include "platform/fileio.h"
#include "platform/inifile.h"

namespace kes {
namespace {
constexpr int kMaxMessages = 65536;
std::vector<std::string>* g_mirror = nullptr;
}

int LangCodePage(int langIndex)
{
    switch (langIndex) {
    case LangCht: return 950;
    case LangChs: return 936;
    default: return 1252;
    }
}

std::string CaptionFileName(int langIndex)
{
    switch (langIndex) {
    case LangCht: return "DATACht.Lan";
    case LangChs: return "DATAChs.Lan";
    default: return "DATAEnu.Lan";
    }
}

std::string MsgFileName(int langIndex)
{
    switch (langIndex) {
    case LangCht: return "MultiLanCht.txt";
    case LangChs: return "MultiLanChs.txt";
    default: return "MultiLanEng.txt";
    }
}

const QString& TMsgTable::operator[](int n) const
{
    static const QString empty;
    if (n < 0 || n >= Count())
        return empty;
    return items_[static_cast<std::size_t>(n)];
}

void TMsgTable::LoadFromFile(const std::string& path, int codePage)
{
    items_.clear();
    TIniFile ini(path);
    int count = ini.ReadInteger("Message", "Count", 0);
    if (count <= 0)
        return;
    // A damaged Count must not make us allocate without bound; gaps below the cap still
    // give empty entries, so the table keeps exactly Count entries.
    if (count > kMaxMessages)
        count = kMaxMessages;
    ScopedCodePage cp(codePage);
    items_.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        items_.push_back(AnsiToQString(ini.ReadString("Message", "M" + std::to_string(i), "")));
}

TMsgTable& MessageTable()
{
    static TMsgTable table;
    return table;
}

QString Msg(int n) { return MessageTable()[n]; }

std::string MsgAnsi(int n) { return QStringToAnsi(Msg(n)); }

void LoadMessageTable(int langIndex)
{
    TMsgTable& table = MessageTable();
    table.LoadFromFile(AppDir() + MsgFileName(langIndex), LangCodePage(langIndex));
    if (!g_mirror)
        return;
    g_mirror->clear();
    for (int i = 0; i < table.Count(); ++i)
        g_mirror->push_back(QStringToAnsi(table[i]));
}

void SetMessageTableMirror(std::vector<std::string>* mirror) { g_mirror = mirror; }

} // namespace kes

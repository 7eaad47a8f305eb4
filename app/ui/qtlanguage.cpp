#include "app/ui/qtlanguage.h"

#include "app/ui/msgtable.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

#include <cstring>
#include <utility>

namespace kes {
namespace {

// The texts Qt 6 asks for under a context Debian's translations do not hold yet: the kinds of
// entry in the file dialog's type column. Taken from the message table at each call, so they
// follow the table in force.
class GapTexts : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char* = nullptr, int = -1) const override
    {
        if (!context || !source || std::strcmp(context, "QAbstractFileIconProvider") != 0)
            return {};
        static constexpr std::pair<const char*, int> kTexts[] = {
            {"Folder", 993}, {"File", 994}, {"%1 File", 995}, {"Drive", 996}, {"Shortcut", 997},
        };
        for (const auto& [text, message] : kTexts)
            if (std::strcmp(source, text) == 0)
                return Msg(message);
        return {};
    }
};

// The translators in force (owned by the application) and their language.
QPointer<QTranslator> g_translator;
QPointer<QTranslator> g_gaps;
int g_language = LangEng;

const char* QtLocaleOf(int langIndex)
{
    switch (langIndex) {
    case LangCht:
        return "zh_TW";
    case LangChs:
        return "zh_CN";
    default:
        return nullptr;
    }
}

} // namespace

bool UseQtLanguage(int langIndex)
{
    if (langIndex == g_language && (g_translator || !QtLocaleOf(langIndex)))
        return true;
    for (QPointer<QTranslator>* t : {&g_translator, &g_gaps})
        if (*t) {
            QCoreApplication::removeTranslator(*t);
            delete t->data();
        }
    g_language = langIndex;
    const char* locale = QtLocaleOf(langIndex);
    if (!locale || !QCoreApplication::instance())
        return true;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_") + QLatin1String(locale),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    g_translator = translator;
    // Installed last, asked first: it answers only what the other lacks.
    g_gaps = new GapTexts(QCoreApplication::instance());
    QCoreApplication::installTranslator(g_gaps);
    return true;
}

} // namespace kes

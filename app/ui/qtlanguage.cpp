#include "app/ui/qtlanguage.h"

#include "app/ui/msgtable.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace kes {
namespace {

// The translator in force (owned by the application) and its language.
QPointer<QTranslator> g_translator;
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
    if (g_translator) {
        QCoreApplication::removeTranslator(g_translator);
        delete g_translator.data();
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
    return true;
}

} // namespace kes

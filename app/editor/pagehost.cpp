#include "app/editor/pagehost.h"

#include "app/dialogs/formrunner.h"
#include "app/project/projectdoc.h"
#include "app/ui/commandpanel.h"

namespace kes {

DialogContext PageHost::DialogContextFor(PageData* page)
{
    DialogContext ctx(Doc(), *Model(), Ask());
    ctx.Page = page;
    ctx.PageCount = static_cast<int>(Doc().PgDataList.size());
    return ctx;
}

CommandPanel& PageHost::Commands()
{
    static NoCommandPanel none;
    return none;
}

const FormRunner& PageHost::Forms() const
{
    static const FormRunner none;
    return none;
}

} // namespace kes

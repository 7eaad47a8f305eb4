// The page list previews the selected stored page through the hidden renderer, with the
// main window's records and panel model, and a blank preview for a page it cannot read.
#include "../shell/shellfixture.h"

#include "app/editor/pageeditor.h"
#include "app/project/objfactory.h"
#include "app/project/pgdataenc.h"
#include "app/project/tprntmp.h"
#include "app/project/ui/tlxtype.h"
#include "app/project/ui/tpglistfrm.h"
#include "app/shell/tkhm.h"
#include "app/shell/tkhm_hosts.h"
#include "objects/tgeom.h"

#include <QFile>
#include <QLabel>

namespace kes::test {
namespace {

class PagePreview : public StartedShell {
protected:
    void SetUp() override
    {
        StartedShell::SetUp();
        // The decoder library beside the program, as the program folder holds it.
        QFile::copy(QStringLiteral(KES_BIN_DIR "/libMorvik.so"), QString::fromStdString(Path("libMorvik.so")));
    }
    void TearDown() override
    {
        delete form;
        Main()->Doc.Modified = 0;
        StartedShell::TearDown();
    }
    // A stored page holding one filled rectangle from (x1, y1) to (x2, y2).
    void AddPage(int x1, int y1, int x2, int y2)
    {
        PageEnv env(Main()->Doc, *Main()->LxType);
        PageData page;
        auto obj = NewPageObj(page, env, ObjKind::Geom);
        ASSERT_NE(obj, nullptr);
        static_cast<TGeom&>(*obj).ObjGeomSet(GeomRectF, {}, x1, y1, x2, y2);
        obj->BmpRePaint();
        page.AppendObj(std::move(obj));
        auto rec = std::make_unique<PgDataStr>();
        PgDataChx(page, rec->Data, 0, kEncFile, &page.ObjList, RecEncodeEnv{});
        Main()->Doc.PgDataList.push_back(std::move(rec));
    }
    QImage Preview() const { return form->ImgPage->pixmap().toImage().convertToFormat(QImage::Format_RGB32); }
    static int BlackPixels(const QImage& img)
    {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                n += (img.pixel(x, y) & 0xFFFFFFu) == 0;
        return n;
    }

    TPgListFrm* form = nullptr;
};

TEST_F(PagePreview, ShowsTheSelectedStoredPage)
{
    ASSERT_TRUE(Main() && Main()->LxType);
    AddPage(0, 0, 10, 5);
    AddPage(20, 10, 24, 12);
    Main()->Doc.PgDataList.push_back(std::make_unique<PgDataStr>());
    Main()->Doc.PgDataList.back()->Data = {0x00, 0x05, 0x00, 0x02};

    form = new TPgListFrm(*Main()->ProjectHost, *Main()->PageEd);
    form->FormShow();
    const QImage first = Preview();
    EXPECT_EQ(first.size(), QSize(Main()->LxType->PanelWidth * Main()->Doc.GridWidth,
                                  Main()->LxType->PanelHeight * Main()->Doc.GridHeight));
    EXPECT_EQ(first, RenderStoredPage(Main()->Doc, *Main()->LxType, 0).convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(BlackPixels(first), 10 * 5);
    EXPECT_EQ(first.pixel(0, 0) & 0xFFFFFFu, 0u);

    form->PgListBx->setCurrentRow(1);
    form->PgListBxStartDrag();
    form->PgListBxClick();
    EXPECT_EQ(BlackPixels(Preview()), 4 * 2);
    EXPECT_EQ(Preview().pixel(20, 10) & 0xFFFFFFu, 0u);

    form->PgListBx->setCurrentRow(2);
    form->PgListBxStartDrag();
    form->PgListBxClick();
    EXPECT_EQ(BlackPixels(Preview()), 0);
    EXPECT_TRUE(RenderStoredPage(Main()->Doc, *Main()->LxType, 3).isNull());
    EXPECT_TRUE(RenderStoredPage(Main()->Doc, *Main()->LxType, -1).isNull());
}

} // namespace
} // namespace kes::test

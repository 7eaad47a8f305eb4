// Every caption the translator reads for the settings dialogs and the address picker stands
// in all three caption files: a missing key would empty the text on screen.
#include "dialogtest.h"

#include "app/dialogs/tbmpset.h"
#include "app/dialogs/tbtnset.h"
#include "app/dialogs/tcurveset.h"
#include "app/dialogs/tdevref.h"
#include "app/dialogs/tdevstaset.h"
#include "app/dialogs/tfrmgridtable.h"
#include "app/dialogs/tfrmparaset.h"
#include "app/dialogs/tfrmplcvaladdrset.h"
#include "app/dialogs/tfrmrange.h"
#include "app/dialogs/tfrmuserlevel.h"
#include "app/dialogs/tfunkeyset.h"
#include "app/dialogs/tmeterset.h"
#include "app/dialogs/tmetrolset.h"
#include "app/dialogs/tmsgset.h"
#include "app/dialogs/tpgjump.h"
#include "app/dialogs/tprogbarset.h"
#include "app/dialogs/trtcset.h"
#include "app/dialogs/tscaleset.h"
#include "app/dialogs/tsysset.h"
#include "app/dialogs/ttxtedit.h"
#include "app/dialogs/tvalstaset.h"
#include "app/dialogs/tvalstget.h"
#include "app/dialogs/tvrgset.h"
#include "app/ui/msgtable.h"
#include "app/ui/translate.h"
#include "objects/tactbmp.h"
#include "objects/tcirmeter.h"
#include "objects/tlight.h"
#include "objects/tlxbtn.h"
#include "objects/tlxcurve.h"
#include "objects/tlxdevbmp.h"
#include "objects/tlxgetval.h"
#include "objects/tlxval.h"
#include "objects/tmetrol.h"
#include "objects/tmsgtxt.h"
#include "objects/tprogbar.h"
#include "objects/trtc.h"
#include "objects/tscale.h"
#include "objects/tsttxt.h"
#include "objects/tvrgbmp.h"
#include "platform/inifile.h"

#include <QLabel>

namespace kes::test {
namespace {

class Captions : public DialogTest {
protected:
    void ExpectAllKeys(QWidget* form)
    {
        SCOPED_TRACE(form->objectName().toStdString());
        for (int lang : {LangCht, LangChs, LangEng}) {
            TIniFile ini(std::string(KES_BIN_DIR) + "/" + CaptionFileName(lang));
            ASSERT_TRUE(ini.Loaded()) << CaptionFileName(lang);
            for (const CaptionKey& k : FormCaptionKeys(form)) {
                const bool labelHint =
                    (k.componentClass == "TLabel" || k.componentClass == "TCheckBox") && k.key.ends_with(".Hint");
                if (!labelHint) {
                    EXPECT_TRUE(ini.ValueExists(k.section, k.key))
                        << CaptionFileName(lang) << ": [" << k.section << "] " << k.key;
                }
            }
        }
    }
};

TEST_F(Captions, EveryCaptionOfTheDialogsIsInAllThreeLanguages)
{
    TLxBtn btn;
    TBtnSet btnSet(ctx, nullptr, btn);
    ExpectAllKeys(&btnSet);
    TFrmUserLevel userLevel(ctx, nullptr);
    ExpectAllKeys(&userLevel);
    TDevRef devRef(nullptr, prompt, model);
    ExpectAllKeys(&devRef);
    TFrmGridTable table(nullptr, prompt, LangEng);
    ExpectAllKeys(&table);
    TFrmRange range(nullptr, prompt, LangEng, 3);
    ExpectAllKeys(&range);
}

TEST_F(Captions, EveryCaptionOfThePageAndSystemDialogsIsInAllThreeLanguages)
{
    TPgJump jump(ctx, nullptr);
    ExpectAllKeys(&jump);
    TSysSet sys(ctx, nullptr);
    ExpectAllKeys(&sys);
    TFrmPLCValAddrSet word(ctx, nullptr);
    ExpectAllKeys(&word);
    TFrmParaSet para(ctx, nullptr);
    ExpectAllKeys(&para);
    TFunKeySet keys(ctx, nullptr);
    ExpectAllKeys(&keys);
}

TEST_F(Captions, EveryCaptionOfTheObjectDialogsIsInAllThreeLanguages)
{
    TProgBar bar;
    TProgBarSet barSet(ctx, nullptr, bar);
    ExpectAllKeys(&barSet);
    TLxVal val;
    TValStaSet valSet(ctx, nullptr, val);
    ExpectAllKeys(&valSet);
    TMetrol unit;
    TMetrolSet unitSet(ctx, nullptr, unit);
    ExpectAllKeys(&unitSet);
    TStTxt text;
    TTxtEdit textSet(ctx, nullptr, text);
    ExpectAllKeys(&textSet);
    TLxGetVal entry;
    TValStGet entrySet(ctx, nullptr, entry);
    ExpectAllKeys(&entrySet);
    TVrgBmp range;
    TVrgSet rangeSet(ctx, nullptr, range);
    ExpectAllKeys(&rangeSet);
    TMsgTxt message;
    TMsgSet messageSet(ctx, nullptr, message);
    ExpectAllKeys(&messageSet);
    TActBmp picture;
    TBmpSet pictureSet(ctx, nullptr, picture);
    ExpectAllKeys(&pictureSet);
    TLight lamp;
    TBmpSet lampSet(ctx, nullptr, lamp);
    ExpectAllKeys(&lampSet);
}

TEST_F(Captions, EveryCaptionOfThePictureScaleMeterCurveAndClockDialogsIsInAllThreeLanguages)
{
    TLxDevBmp bit;
    TDevStaSet devSta(ctx, nullptr, bit);
    ExpectAllKeys(&devSta);
    TLxCurve curve;
    TCurveSet curveSet(ctx, nullptr, curve);
    ExpectAllKeys(&curveSet);
    TCirMeter meter;
    TMeterSet meterSet(ctx, nullptr, meter);
    ExpectAllKeys(&meterSet);
    TRtc rtc;
    TRtcSet rtcSet(ctx, nullptr, rtc);
    ExpectAllKeys(&rtcSet);
    TScale scale;
    TScaleSet scaleSet(ctx, nullptr, scale);
    ExpectAllKeys(&scaleSet);
}

// A translated form shows the texts of its language (the Traditional Chinese file is read in
// its own code page whatever the process uses).
TEST_F(Captions, TheButtonDialogTranslatesIntoEachLanguage)
{
    TLxBtn btn;
    for (int lang : {LangCht, LangChs, LangEng}) {
        TBtnSet dlg(ctx, nullptr, btn);
        TranslateForm(&dlg, lang);
        TIniFile ini(std::string(KES_BIN_DIR) + "/" + CaptionFileName(lang));
        const QString label = C<QLabel>(&dlg, "BtnType_Lab")->text();
        EXPECT_FALSE(label.isEmpty()) << lang;
        if (lang == LangEng)
            EXPECT_EQ(label, QStringLiteral("Button Type"));
        else
            EXPECT_NE(label, QStringLiteral("Button Type")) << lang;
    }
    LoadMessageTable(LangEng);
}

} // namespace
} // namespace kes::test

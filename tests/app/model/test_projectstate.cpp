// The project state starts as a program without a project expects it (controller 87,
// data version 120, default ports and stations, the internal memory records ready), and
// its "none" resets touch exactly the fields they own.
#include "app/model/projectstate.h"
#include "app/ui/viewstate.h"

#include <gtest/gtest.h>

using kes::ProjectState;

TEST(ProjectState, StartsWithTheDefaults)
{
    const ProjectState s;
    EXPECT_EQ(s.MachineId, 87);
    EXPECT_EQ(s.PanelModelIndex, 0);
    EXPECT_EQ(s.DataVersion, 120u);
    EXPECT_EQ(s.DefStation, 1);
    EXPECT_EQ(s.HmiUnitAddr, 1);
    EXPECT_EQ(s.ComSetByte[0], 4);
    EXPECT_EQ(s.ComSetByte[1], 4);
    EXPECT_EQ(s.UseDefaultPort, 1);
    EXPECT_EQ(s.UseDefaultStation, 1);
    EXPECT_EQ(kes::ViewState{}.EditMode, kes::Editing::Pages);
    EXPECT_EQ(s.LangIndex, 2);
    EXPECT_GT(s.GridWidth, 0);
    EXPECT_GT(s.DefaultZoom, 0);
    EXPECT_EQ(s.InternalDevRecords[kes::kInternalBit].Name, "@B");
    EXPECT_EQ(s.InternalDevRecords[kes::kInternalWord].Name, "@V");
    EXPECT_EQ(s.InternalDevRecords[kes::kInternalWord].Kind, 0x10);
    EXPECT_EQ(s.InternalDevRecords[kes::kInternalWord].Ranges.at(0).Base, 0x30000);
    EXPECT_EQ(s.InternalDevRecords[kes::kInternalBit].Ranges.at(0).Max, 1024);
    EXPECT_EQ(s.SysDevRefs[1].Ref.DevAddrCode, -1);
    EXPECT_EQ(s.SysFunKeys[13].KeyIndex, 13);
    EXPECT_EQ(s.SysFunKeys[0].ButtonType, kes::BtnType::None);
    EXPECT_EQ(s.KeySetRec.KeyCodes[15], 0x3F);
}

TEST(ProjectState, BitObjectsByController)
{
    ProjectState s;
    for (int id : {4, 6, 41, 42, 43, 44}) {
        s.MachineId = static_cast<std::int16_t>(id);
        EXPECT_FALSE(s.BitObjAllowed()) << id;
    }
    for (int id : {1, 3, 5, 40, 45, 87, 96}) {
        s.MachineId = static_cast<std::int16_t>(id);
        EXPECT_TRUE(s.BitObjAllowed()) << id;
    }
}

TEST(ProjectState, NewReferencesAndResets)
{
    ProjectState s;
    s.DefStation = 9;
    s.LinkIndex = 1;
    s.PortSlaveMode = {0, 1};
    DevRefHead ref;
    ref.BitIndex = 3;
    ref.DevAddrCode = 77;
    s.InitDevRef(ref);
    EXPECT_EQ(ref.Station, 9);
    EXPECT_EQ(ref.DevAddrCode, -1);
    EXPECT_EQ(ref.LinkIndex, 1);
    EXPECT_EQ(ref.LinkFlag, 1); // COM2 talks to panel memory
    EXPECT_EQ(ref.BitIndex, 0);
    s.LinkIndex = 0;
    s.InitDevRef(ref);
    EXPECT_EQ(ref.LinkFlag, 0);

    // The power-on macro is reset whole; the parameter set keeps its register count and the
    // system references their link flags.
    s.PowerOnMacro.Ref.LinkFlag = 1;
    s.PowerOnMacro.Width = 2;
    s.PowerOnMacro.Value = 5;
    s.ParaDataSet.RegisterCount = 4;
    s.SysDevRefs[0].Ref.LinkFlag = 1;
    s.SysDevRefValue[0] = 8;
    s.ResetPowerOnMacro();
    s.ResetParaDataSet();
    s.ResetSysDevRefs();
    EXPECT_EQ(s.PowerOnMacro.Ref.LinkFlag, 0);
    EXPECT_EQ(s.PowerOnMacro.Width, 0);
    EXPECT_EQ(s.PowerOnMacro.Value, 0);
    EXPECT_EQ(s.PowerOnMacro.Ref.Station, 9);
    EXPECT_EQ(s.ParaDataSet.RegisterCount, 4);
    EXPECT_EQ(s.ParaDataSet.Ref.DevAddrCode, -1);
    EXPECT_EQ(s.SysDevRefs[0].Ref.LinkFlag, 1);
    EXPECT_EQ(s.SysDevRefValue[0], 8);
    EXPECT_EQ(s.SysDevRefs[0].Ref.Station, 9);

    s.ObjDataAddr = 0x2000;
    s.ObjDataAddrEnd = 0x1000;
    EXPECT_EQ(s.ObjDataSize(), 0);
    s.ObjDataAddrEnd = 0x3000;
    EXPECT_EQ(s.ObjDataSize(), 0x1000);
}

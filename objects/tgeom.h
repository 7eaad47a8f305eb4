#pragma once
// TGeom (kind 17): a drawn shape in the panel's one colour, drawn transparently so what lies
// below shows through its white pixels. It is the one kind that writes and reads its own
// record body.
#include "objects/tlxobj.h"

#include <array>
#include <cstdint>
#include <span>

// Geometry kinds as stored in the record.
enum TGeomType : std::uint8_t {
    GeomNone = 0,
    GeomLine = 1,
    GeomRect = 2,
    GeomRectF = 3, // filled rectangle
    GeomCir = 4,   // ellipse
    GeomCirF = 5,
    GeomCurve = 6, // quarter arc
    GeomChord = 7,
    GeomChordF = 8,
    GeomPie = 9,
    GeomPieF = 10,
    GeomPoly = 11, // open polyline clicked point by point
};

// Corner of the first defining point: upper left to lower right, and so on.
enum TDrawType : std::uint8_t { Draw_Lu_Rd = 0, Draw_Ld_Ru = 1, Draw_Ru_Ld = 2, Draw_Rd_Lu = 3 };

class TGeom : public TLxObj {
public:
    static constexpr int kMaxPoints = 100;

    TGeom();

    TGeomType GeomType = GeomNone;
    TDrawType DrawType = Draw_Lu_Rd;
    // Polyline points in panel pixels from the object's top-left; PointCount are in use.
    std::array<TPoint, kMaxPoints> Points{};
    int PointCount = 0;
    // Panel size of the picture when the points were last set or drawn; the points are
    // rescaled from it to the current size before the polyline is drawn.
    int RememberedWidth = 0;
    int RememberedHeight = 0;

    // A new shape from the editor: the polyline's clicked points (screen pixels, at most
    // kMaxPoints are kept) or the drag from (x1, y1) to (x2, y2).
    void ObjGeomSet(TGeomType kind, std::span<const TPoint> points, int x1, int y1, int x2, int y2);
    // Takes the first PointCount of points (screen pixels) as the polyline.
    void SetPolyPt(std::span<const TPoint> points);
    void SetDrawType(TDrawType type);

    void BmpRePaint() override;
    void Paint(TCanvas& canvas) override;
    bool PaintsOpaqueBox() const override;
    void PaintData(int panelWidth, int panelHeight, std::span<std::uint8_t> bands) override;

    // Drawing routines on the picture shrunk to panel pixels, with the picture canvas's pen.
    void DrawLine();
    void DrawRect();
    void DrawRectF();
    void DrawCir();
    void DrawCirF();
    void DrawCurve();
    void DrawChord();
    void DrawChordF();
    void DrawPie();
    void DrawPieF();
    void DrawPoly();

    // The record: the header, then the body below. Memory mode writes at pos of buf
    // (growing it) with the picture bytes reversed; file mode writes at pos of the file in
    // band order. Both return the record length, 0 when nothing could be written.
    int ObjDataChx(kes::Bytes& buf, std::size_t pos) override;
    int ObjTempChx(std::FILE* file, unsigned pos) override;
    // Reads a record at the start of rec; returns its stored length, or 0 (object
    // unchanged) when rec does not hold the record or its fields.
    int DataToObj(kes::ByteSpan rec, unsigned pos) override;

private:
    // The whole record, picture bytes in band order or reversed; empty when it would not
    // fit the 16-bit length field.
    kes::Bytes Record(bool reversePicture);
    // Draws with a black brush, then gives the brush its colour back.
    void DrawFilled(void (TGeom::*draw)());
};

#pragma once
// The object record writers, one per kind, each (out, pos, object of its class, env) ->
// record length. Each writes the header, then its body, then the length; the writers' table
// (pgrecstream.cpp) hands each the object as its kind's class and writes nothing for an
// object whose class does not match its kind code. Internal to the encoder.
#include "decoder/kindlayout.h"
#include "decoder/pgrecstream.h"

#include <cstddef>

class TActBmp;
class TCirMeter;
class TLight;
class TLxAdvDevBmp;
class TLxBtn;
class TLxCurve;
class TLxDevBmp;
class TLxGetVal;
class TLxVal;
class TLxXyCurve;
class TMetrol;
class TMsgTxt;
class TProgBar;
class TRtc;
class TScale;
class TStBmp;
class TStTxt;
class TVrgBmp;

namespace kes {

// A record of obj's kind at pos with its 14-byte header written.
RecWriter BeginObjRec(RecOut& out, std::size_t pos, const TLxObj& obj);
// The object's picture as a picture block (PicBlock); returns its size.
std::size_t PutObjPicture(RecWriter& w, std::size_t off, TLxObj& obj);
// A picture block (PicBlock) of the bytes pack produces into a buffer of size bytes;
// returns its size.
template <typename Pack> std::size_t PutBands(RecWriter& w, std::size_t off, int size, Pack&& pack)
{
    namespace P = layout::PicBlock;
    Bytes bands(size > 0 ? static_cast<std::size_t>(size) : 0);
    if (!bands.empty())
        pack(std::span<std::uint8_t>(bands));
    w.U16(off + P::Count, static_cast<std::uint32_t>(bands.size()));
    w.Raw(off + P::Bands, bands);
    return P::Bands + bands.size();
}

// A sized picture (SizedPic) of width x height panel pixels with the size bytes pack
// produces; returns its size.
template <typename Pack>
std::size_t PutSizedPicture(RecWriter& w, std::size_t off, int width, int height, int size, Pack&& pack)
{
    namespace P = layout::SizedPic;
    w.U16(off + P::Width, static_cast<std::uint32_t>(width));
    w.U16(off + P::Height, static_cast<std::uint32_t>(height));
    return P::Count + PutBands(w, off + P::Count, size, pack);
}

// The three references of the button and the value entry and their notify byte
// (RefTriple). A reference not in use is stored with code -1.
void PutRefTriple(RecWriter& w, const TLxDevRef& write, const TLxDevRef& read, bool readUsed, const TLxDevRef& notify,
                  bool notifyUsed, std::uint8_t notifyState, std::uint8_t notifyOrder);
// One byte of two nibbles: (high << 4) + the low nibble of low.
inline std::uint8_t HighLow(int high, int low) { return static_cast<std::uint8_t>((high << 4) + (low & 0x0F)); }
// A text block (TextBlock); returns its size.
std::size_t PutCountedText(RecWriter& w, std::size_t off, const AnsiString& text);
// Entry i of a per-state list, empty past its end.
template <typename List> AnsiString EntryOr(const List& list, int i)
{
    return i >= 0 && static_cast<std::size_t>(i) < list.size() ? list[static_cast<std::size_t>(i)] : AnsiString();
}

using ObjWriter = int (*)(RecOut& out, std::size_t pos, TLxObj& obj, const RecEncodeEnv& env);

// Static text, value display, static picture, message text, clock, unit, value entry.
int StTxtChx(RecOut& out, std::size_t pos, TStTxt& obj, const RecEncodeEnv& env);
int LxValChx(RecOut& out, std::size_t pos, TLxVal& obj, const RecEncodeEnv& env);
int StBmpChx(RecOut& out, std::size_t pos, TStBmp& obj, const RecEncodeEnv& env);
int MsgTxtChx(RecOut& out, std::size_t pos, TMsgTxt& obj, const RecEncodeEnv& env);
int RtcChx(RecOut& out, std::size_t pos, TRtc& obj, const RecEncodeEnv& env);
int MetrolChx(RecOut& out, std::size_t pos, TMetrol& obj, const RecEncodeEnv& env);
int LxGetValChx(RecOut& out, std::size_t pos, TLxGetVal& obj, const RecEncodeEnv& env);
// Button, bit pictures, multi-range and multi-state pictures, lamp.
int LxBtnChx(RecOut& out, std::size_t pos, TLxBtn& obj, const RecEncodeEnv& env);
int LxDevBmpChx(RecOut& out, std::size_t pos, TLxDevBmp& obj, const RecEncodeEnv& env);
int LxAdvDevBmpChx(RecOut& out, std::size_t pos, TLxAdvDevBmp& obj, const RecEncodeEnv& env);
int VrgBmpChx(RecOut& out, std::size_t pos, TVrgBmp& obj, const RecEncodeEnv& env);
int ActBmpChx(RecOut& out, std::size_t pos, TActBmp& obj, const RecEncodeEnv& env);
int LightChx(RecOut& out, std::size_t pos, TLight& obj, const RecEncodeEnv& env);
// Scale, bar graph, circular meter, curves.
int ScaleChx(RecOut& out, std::size_t pos, TScale& obj, const RecEncodeEnv& env);
int ProgBarChx(RecOut& out, std::size_t pos, TProgBar& obj, const RecEncodeEnv& env);
int CirMeterChx(RecOut& out, std::size_t pos, TCirMeter& obj, const RecEncodeEnv& env);
int LxCurveChx(RecOut& out, std::size_t pos, TLxCurve& obj, const RecEncodeEnv& env);
int LxXyCurveChx(RecOut& out, std::size_t pos, TLxXyCurve& obj, const RecEncodeEnv& env);

} // namespace kes

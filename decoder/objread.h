#pragma once
// Readers of the object records: the 14-byte header every kind opens with and one body
// reader per kind. Each takes the object the caller made for the record's kind and the
// record bounded by its stored length, and returns the bytes consumed or a negative
// result (decoder/morvik.h).
#include "decoder/recreader.h"

class TActBmp;
class TCirMeter;
class TLight;
class TLxAdvDevBmp;
class TLxBtn;
class TLxCurve;
class TLxDevBmp;
class TLxGetVal;
class TLxObj;
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

namespace kes::morvik {

// Largest object box side, in panel pixels. Panels are a few hundred pixels wide; a box
// past this comes from a damaged record and would only cost a huge picture.
constexpr int kMaxObjDots = 1024;

// The header (objects/objlayout.h: ObjHead). Its point size 6, 7, 8 or 10 chooses panel font
// 0..3; any other keeps the object's.
int ReadObjHeader(TLxObj& obj, RecReader& r);

// The kind's whole record, chosen by the object's own kind (the readers' table in objread.cpp,
// one entry per kind).
int ReadObjRecord(TLxObj& obj, ByteSpan rec, unsigned pos);

// The kinds' readers, header included, each over its kind's class (their entries are in
// objread.cpp, which hands each the object as that class). They return the stored length.
int ReadStTxt(TStTxt& obj, RecReader& r);
int ReadLxVal(TLxVal& obj, RecReader& r);
int ReadLxDevBmp(TLxDevBmp& obj, RecReader& r);
int ReadLxAdvDevBmp(TLxAdvDevBmp& obj, RecReader& r);
int ReadVrgBmp(TVrgBmp& obj, RecReader& r);
int ReadStBmp(TStBmp& obj, RecReader& r);
int ReadActBmp(TActBmp& obj, RecReader& r);
int ReadScale(TScale& obj, RecReader& r);
int ReadProgBar(TProgBar& obj, RecReader& r);
int ReadCirMeter(TCirMeter& obj, RecReader& r);
int ReadMsgTxt(TMsgTxt& obj, RecReader& r);
int ReadLxBtn(TLxBtn& obj, RecReader& r);
int ReadLxCurve(TLxCurve& obj, RecReader& r);
int ReadLxXyCurve(TLxXyCurve& obj, RecReader& r);
int ReadRtc(TRtc& obj, RecReader& r);
int ReadLight(TLight& obj, RecReader& r);
int ReadMetrol(TMetrol& obj, RecReader& r);
int ReadLxGetVal(TLxGetVal& obj, RecReader& r);

} // namespace kes::morvik

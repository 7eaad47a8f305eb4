#pragma once
// Readers of the object records: the 14-byte header every kind opens with and one body
// reader per kind. Each takes the object the caller made for the record's kind and the
// record bounded by its stored length, and returns the bytes consumed or a negative
// result (decoder/morvik.h).
#include "decoder/recreader.h"

class TLxObj;

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

// The kinds' readers, header included (their entries are in objread.cpp). They return the
// stored length.
int ReadStTxt(TLxObj& obj, RecReader& r);
int ReadLxVal(TLxObj& obj, RecReader& r);
int ReadLxDevBmp(TLxObj& obj, RecReader& r);
int ReadVrgBmp(TLxObj& obj, RecReader& r);
int ReadStBmp(TLxObj& obj, RecReader& r);
int ReadActBmp(TLxObj& obj, RecReader& r);
int ReadScale(TLxObj& obj, RecReader& r);
int ReadProgBar(TLxObj& obj, RecReader& r);
int ReadCirMeter(TLxObj& obj, RecReader& r);
int ReadMsgTxt(TLxObj& obj, RecReader& r);
int ReadLxBtn(TLxObj& obj, RecReader& r);
int ReadLxCurve(TLxObj& obj, RecReader& r);
int ReadRtc(TLxObj& obj, RecReader& r);
int ReadLight(TLxObj& obj, RecReader& r);
int ReadMetrol(TLxObj& obj, RecReader& r);
int ReadLxGetVal(TLxObj& obj, RecReader& r);

} // namespace kes::morvik

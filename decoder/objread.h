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

// Header (every field big-endian):
//   0 kind | 2 record length | 4 left | 6 top | 8 right | 10 bottom (inclusive, panel
//   pixels) | 12 font style bits (bold 1, italic 2, underline 4, strike-out 8) |
//   13 point size: 6, 7, 8, 10 choose panel font 0..3, any other keeps it.
int ReadObjHeader(TLxObj& obj, RecReader& r);

// The kind's whole record, chosen by the object's own kind.
int ReadObjRecord(TLxObj& obj, ByteSpan rec, unsigned pos);

// Kind readers, one per kind, header included. They return the stored length.
int ReadStTxt(TLxObj& obj, RecReader& r);    // 1
int ReadLxVal(TLxObj& obj, RecReader& r);    // 2
int ReadLxDevBmp(TLxObj& obj, RecReader& r); // 3 and 21
int ReadVrgBmp(TLxObj& obj, RecReader& r);   // 4
int ReadStBmp(TLxObj& obj, RecReader& r);    // 5
int ReadActBmp(TLxObj& obj, RecReader& r);   // 6
int ReadScale(TLxObj& obj, RecReader& r);    // 7
int ReadProgBar(TLxObj& obj, RecReader& r);  // 8
int ReadCirMeter(TLxObj& obj, RecReader& r); // 9
int ReadMsgTxt(TLxObj& obj, RecReader& r);   // 12
int ReadLxBtn(TLxObj& obj, RecReader& r);    // 13
int ReadLxCurve(TLxObj& obj, RecReader& r);  // 14 and 15
int ReadRtc(TLxObj& obj, RecReader& r);      // 16
int ReadLight(TLxObj& obj, RecReader& r);    // 18
int ReadMetrol(TLxObj& obj, RecReader& r);   // 19
int ReadLxGetVal(TLxObj& obj, RecReader& r); // 20

} // namespace kes::morvik

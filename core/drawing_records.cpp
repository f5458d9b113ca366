// zykcore: the file forms of the drawing-type and colour-set records.
#include "core/drawing_records.h"

#include "platform/byte_io.h"

namespace talpora {

std::string encodeChPar(const ChPar& p) {
  ByteWriter w;
  w.i16(p.typeOrigin);
  w.i16(p.projection);
  w.i16(p.style);
  for (auto r : p.ringKind) w.i16(r);
  // The 29 one-byte fields from houseSystem to reserved46, then the int16s and the title.
  w.raw(&p.houseSystem, offsetof(ChPar, pad47) - offsetof(ChPar, houseSystem));
  for (auto r : p.reserved48) w.i16(r);
  w.text(p.title, sizeof p.title);
  return w.take();
}

ChPar decodeChPar(std::string_view bytes) {
  ByteReader r(bytes);
  ChPar p;
  p.typeOrigin = r.i16();
  p.projection = r.i16();
  p.style = r.i16();
  for (auto& k : p.ringKind) k = r.i16();
  r.raw(&p.houseSystem, offsetof(ChPar, pad47) - offsetof(ChPar, houseSystem));
  p.pad47 = 0;
  for (auto& k : p.reserved48) k = r.i16();
  r.text(p.title, sizeof p.title);
  return p;
}

std::string encodeChCol(const ChCol& c) {
  ByteWriter w;
  for (auto v : c.colour) w.u32(v);
  for (auto v : c.width) w.i16(v);
  return w.take();
}

ChCol decodeChCol(std::string_view bytes) {
  ByteReader r(bytes);
  ChCol c;
  for (auto& v : c.colour) v = r.u32();
  for (auto& v : c.width) v = r.i16();
  return c;
}

std::string titleOf(const ChPar& p) {
  return fieldText(p.title);
}

}  // namespace talpora

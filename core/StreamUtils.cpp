#include "core/StreamUtils.h"

namespace tess {

int32_t ReadInt(TStream& stream) {
  return DecodeInt([&stream] { return stream.ReadByte(); });
}

void WriteInt(TStream& stream, int32_t value) {
  uint8_t tmp[5];
  stream.WriteBuffer(tmp, static_cast<size_t>(EncodeInt(value, tmp)));
}

void WriteSizedInt(TStream& stream, int32_t value) {
  uint8_t tmp[6];
  int n = EncodeInt(value, tmp + 1);
  tmp[0] = static_cast<uint8_t>(n);
  stream.WriteBuffer(tmp, static_cast<size_t>(n) + 1);
}

std::string ReadString(TStream& stream) {
  int32_t n = ReadInt(stream);
  // A negative length or one past the end can only come from a damaged file: refuse it before
  // allocating anything.
  if (n < 0 || n > stream.Remaining()) throw EReadError();
  std::string s(static_cast<size_t>(n), '\0');
  stream.ReadBuffer(s.data(), s.size());
  return s;
}

void WriteString(TStream& stream, const std::string& text) {
  WriteInt(stream, static_cast<int32_t>(text.size()));
  stream.WriteBuffer(text.data(), text.size());
}

}  // namespace tess

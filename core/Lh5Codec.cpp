#include "core/Lh5Codec.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <queue>
#include <vector>

#include "core/Errors.h"

namespace tess {

namespace {

// Method parameters. A block starts with its code count, then three code tables: one that codes the
// lengths of the literal/length table (NT symbols), the literal/length table itself (NC symbols:
// 256 bytes and the match lengths 3..256), and the position table (NP symbols: the bit length of
// the match distance minus one).
constexpr int kDicBits = 13;
constexpr int kDicSize = 1 << kDicBits;
constexpr int kMaxDistance = kDicSize - 1;
constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 256;
constexpr int NC = 256 + kMaxMatch - kMinMatch + 1;  // 510
constexpr int NP = kDicBits + 1;                     // 14
constexpr int NT = 16 + 3;                           // 19
constexpr int CBIT = 9;
constexpr int PBIT = 4;
constexpr int TBIT = 5;
constexpr int kMaxCodeLength = 16;
constexpr size_t kBlockCodes = 0x4000;

std::array<uint16_t, 256> MakeCrcTable() {
  std::array<uint16_t, 256> table{};
  for (int i = 0; i < 256; ++i) {
    uint16_t r = static_cast<uint16_t>(i);
    for (int k = 0; k < 8; ++k) r = (r & 1) ? static_cast<uint16_t>((r >> 1) ^ 0xA001) : static_cast<uint16_t>(r >> 1);
    table[i] = r;
  }
  return table;
}

// Position symbol of a distance-minus-one value j: 0 for 0, else the bit length of j.
int PositionSymbol(unsigned j) {
  int bits = 0;
  while (j) {
    ++bits;
    j >>= 1;
  }
  return bits;
}

// ---------------------------------------------------------------------------------------------
// Writing

class TBitWriter {
 public:
  explicit TBitWriter(Bytes& out) : out_(out) {}
  void Put(int bits, uint32_t value) {
    if (bits == 0) return;
    acc_ = (acc_ << bits) | (value & ((1u << bits) - 1));
    count_ += bits;
    while (count_ >= 8) {
      count_ -= 8;
      out_.push_back(static_cast<uint8_t>(acc_ >> count_));
    }
    acc_ &= (1u << count_) - 1;
  }
  void Flush() {
    if (count_) out_.push_back(static_cast<uint8_t>(acc_ << (8 - count_)));
    acc_ = 0;
    count_ = 0;
  }

 private:
  Bytes& out_;
  uint64_t acc_ = 0;
  int count_ = 0;
};

// Code lengths of an optimal prefix code over freq, none longer than maxLen; unused symbols get 0.
// Returns the number of used symbols. With fewer than two used symbols every length stays 0: the
// block then names its single symbol instead of a table.
int MakeCodeLengths(const uint32_t* freq, int n, int maxLen, uint8_t* len) {
  std::fill(len, len + n, 0);
  std::vector<int> used;
  for (int i = 0; i < n; ++i)
    if (freq[i]) used.push_back(i);
  const int leaves = static_cast<int>(used.size());
  if (leaves < 2) return leaves;

  // Huffman tree: nodes 0..leaves-1 are the leaves, later nodes are joins; parent[] links upward.
  std::vector<uint64_t> weight(2 * leaves);
  std::vector<int> parent(2 * leaves, -1);
  using TItem = std::pair<uint64_t, int>;
  std::priority_queue<TItem, std::vector<TItem>, std::greater<TItem>> heap;
  for (int i = 0; i < leaves; ++i) {
    weight[i] = freq[used[i]];
    heap.push({weight[i], i});
  }
  int next = leaves;
  while (heap.size() > 1) {
    auto [wa, a] = heap.top();
    heap.pop();
    auto [wb, b] = heap.top();
    heap.pop();
    weight[next] = wa + wb;
    parent[a] = parent[b] = next;
    heap.push({weight[next], next});
    ++next;
  }
  // Joins are numbered after their children, so walking down from the root fills every depth.
  std::vector<int> depth(next, 0);
  for (int i = next - 2; i >= 0; --i) depth[i] = depth[parent[i]] + 1;

  // Count leaves per length, folding anything deeper than maxLen into maxLen, then move leaves down
  // until the code is exactly complete again.
  std::vector<int> count(maxLen + 1, 0);
  for (int i = 0; i < leaves; ++i) ++count[std::min(depth[i], maxLen)];
  uint64_t total = 0;
  for (int l = 1; l <= maxLen; ++l) total += static_cast<uint64_t>(count[l]) << (maxLen - l);
  const uint64_t full = uint64_t{1} << maxLen;
  while (total > full) {
    --count[maxLen];
    for (int l = maxLen - 1; l > 0; --l) {
      if (count[l]) {
        --count[l];
        count[l + 1] += 2;
        break;
      }
    }
    --total;
  }

  // The most frequent symbols take the shortest lengths.
  std::vector<int> order(leaves);
  for (int i = 0; i < leaves; ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return weight[a] > weight[b]; });
  int k = 0;
  for (int l = 1; l <= maxLen; ++l)
    for (int c = 0; c < count[l]; ++c) len[used[order[k++]]] = static_cast<uint8_t>(l);
  return leaves;
}

// Canonical codes: shorter codes first, equal lengths in symbol order.
void MakeCodes(const uint8_t* len, int n, uint16_t* code) {
  int count[kMaxCodeLength + 1] = {};
  for (int i = 0; i < n; ++i) ++count[len[i]];
  count[0] = 0;
  uint32_t nextCode[kMaxCodeLength + 2] = {};
  uint32_t c = 0;
  for (int l = 1; l <= kMaxCodeLength; ++l) {
    c = (c + count[l - 1]) << 1;
    nextCode[l] = c;
  }
  for (int i = 0; i < n; ++i) code[i] = len[i] ? static_cast<uint16_t>(nextCode[len[i]]++) : 0;
}

int SingleSymbol(const uint32_t* freq, int n) {
  for (int i = 0; i < n; ++i)
    if (freq[i]) return i;
  return 0;
}

int UsedLength(const uint8_t* len, int n) {
  while (n > 0 && len[n - 1] == 0) --n;
  return n;
}

// Lengths of a small table: three bits for 0..6, longer lengths as 111 followed by a unary count.
// After the special position's entry, two bits say how many zero lengths follow (up to three).
void WritePtLen(TBitWriter& bw, const uint8_t* len, int nn, int nbit, int special) {
  const int n = UsedLength(len, nn);
  bw.Put(nbit, n);
  int i = 0;
  while (i < n) {
    const int k = len[i++];
    if (k <= 6)
      bw.Put(3, k);
    else
      bw.Put(k - 3, (1u << (k - 3)) - 2);
    if (i == special) {
      int zeros = 0;
      while (zeros < 3 && i < n && len[i] == 0) {
        ++i;
        ++zeros;
      }
      bw.Put(2, zeros);
    }
  }
}

// Walks the literal/length table's lengths the way they are written: runs of zero lengths become
// the run symbols 0, 1 and 2, other lengths the symbols 3..18. emit(symbol, extraBits, extraValue).
template <typename F>
void WalkCLen(const uint8_t* cLen, F emit) {
  const int n = UsedLength(cLen, NC);
  int i = 0;
  while (i < n) {
    const int k = cLen[i++];
    if (k != 0) {
      emit(k + 2, 0, 0);
      continue;
    }
    int run = 1;
    while (i < n && cLen[i] == 0) {
      ++i;
      ++run;
    }
    if (run <= 2) {
      for (int r = 0; r < run; ++r) emit(0, 0, 0);
    } else if (run <= 18) {
      emit(1, 4, run - 3);
    } else if (run == 19) {
      emit(0, 0, 0);
      emit(1, 4, 15);
    } else {
      emit(2, CBIT, run - 20);
    }
  }
}

struct TCode {
  uint16_t symbol;    // 0..255 a literal, else 256 + match length - 3
  uint16_t distance;  // match distance minus one
};

void WriteBlock(TBitWriter& bw, const std::vector<TCode>& codes) {
  uint32_t cFreq[NC] = {};
  uint32_t pFreq[NP] = {};
  for (const TCode& c : codes) {
    ++cFreq[c.symbol];
    if (c.symbol >= 256) ++pFreq[PositionSymbol(c.distance)];
  }
  uint8_t cLen[NC], pLen[NP], tLen[NT];
  uint16_t cCode[NC], pCode[NP], tCode[NT];

  bw.Put(16, static_cast<uint32_t>(codes.size()));
  if (MakeCodeLengths(cFreq, NC, kMaxCodeLength, cLen) < 2) {
    bw.Put(TBIT, 0);
    bw.Put(TBIT, 0);
    bw.Put(CBIT, 0);
    bw.Put(CBIT, SingleSymbol(cFreq, NC));
  } else {
    uint32_t tFreq[NT] = {};
    WalkCLen(cLen, [&](int sym, int, int) { ++tFreq[sym]; });
    if (MakeCodeLengths(tFreq, NT, kMaxCodeLength, tLen) < 2) {
      bw.Put(TBIT, 0);
      bw.Put(TBIT, SingleSymbol(tFreq, NT));
    } else {
      WritePtLen(bw, tLen, NT, TBIT, 3);
    }
    MakeCodes(tLen, NT, tCode);
    bw.Put(CBIT, UsedLength(cLen, NC));
    WalkCLen(cLen, [&](int sym, int extraBits, int extra) {
      bw.Put(tLen[sym], tCode[sym]);
      bw.Put(extraBits, extra);
    });
  }
  MakeCodes(cLen, NC, cCode);

  if (MakeCodeLengths(pFreq, NP, kMaxCodeLength, pLen) < 2) {
    bw.Put(PBIT, 0);
    bw.Put(PBIT, SingleSymbol(pFreq, NP));
  } else {
    WritePtLen(bw, pLen, NP, PBIT, -1);
  }
  MakeCodes(pLen, NP, pCode);

  for (const TCode& c : codes) {
    bw.Put(cLen[c.symbol], cCode[c.symbol]);
    if (c.symbol < 256) continue;
    const int p = PositionSymbol(c.distance);
    bw.Put(pLen[p], pCode[p]);
    if (p > 1) bw.Put(p - 1, c.distance - (1u << (p - 1)));
  }
}

// Match finder: hash chains over the last kDicSize positions.
class TMatcher {
 public:
  TMatcher(const uint8_t* data, size_t size) : data_(data), size_(size), head_(kHashSize, -1), prev_(kDicSize, -1) {}

  void Insert(size_t pos) {
    if (pos + kMinMatch > size_) return;
    const uint32_t h = Hash(pos);
    prev_[pos & (kDicSize - 1)] = head_[h];
    head_[h] = static_cast<int64_t>(pos);
  }

  // The longest earlier match for pos (which must be inserted already); 0 when none is worth it.
  int Find(size_t pos, int& distance, int chainLimit) const {
    const size_t avail = size_ - pos;
    if (avail < static_cast<size_t>(kMinMatch)) return 0;
    const int maxLen = static_cast<int>(std::min<size_t>(avail, kMaxMatch));
    const int64_t limit = static_cast<int64_t>(pos) - kMaxDistance;
    const uint8_t* here = data_ + pos;
    int best = kMinMatch - 1;
    int64_t cand = prev_[pos & (kDicSize - 1)];
    while (cand >= 0 && cand >= limit && chainLimit-- > 0) {
      const uint8_t* there = data_ + cand;
      if (there[best] == here[best] && there[0] == here[0] && there[1] == here[1]) {
        int len = 2;
        while (len < maxLen && there[len] == here[len]) ++len;
        if (len > best) {
          best = len;
          distance = static_cast<int>(pos - static_cast<size_t>(cand));
          if (len >= maxLen) break;
        }
      }
      const int64_t older = prev_[cand & (kDicSize - 1)];
      if (older >= cand) break;
      cand = older;
    }
    if (best < kMinMatch) return 0;
    // A three-byte match far away costs about as much as three literals.
    if (best == kMinMatch && distance > 4096) return 0;
    return best;
  }

 private:
  static constexpr int kHashBits = 15;
  static constexpr uint32_t kHashSize = 1u << kHashBits;
  uint32_t Hash(size_t pos) const {
    const uint32_t v = data_[pos] | (data_[pos + 1] << 8) | (data_[pos + 2] << 16);
    return (v * 2654435761u) >> (32 - kHashBits);
  }

  const uint8_t* data_;
  size_t size_;
  std::vector<int64_t> head_;
  std::vector<int64_t> prev_;
};

// ---------------------------------------------------------------------------------------------
// Reading

class TBitReader {
 public:
  TBitReader(const uint8_t* data, size_t size) : data_(data), bits_(static_cast<uint64_t>(size) * 8) {}
  uint32_t Get(int n) {
    if (pos_ + static_cast<uint64_t>(n) > bits_) throw EReadError();
    uint32_t v = 0;
    for (int i = 0; i < n; ++i) {
      v = (v << 1) | ((data_[pos_ >> 3] >> (7 - (pos_ & 7))) & 1);
      ++pos_;
    }
    return v;
  }
  int Bit() { return static_cast<int>(Get(1)); }

 private:
  const uint8_t* data_;
  uint64_t bits_;
  uint64_t pos_ = 0;
};

// Decoding side of one canonical code table.
class THuffman {
 public:
  void SetSingle(int symbol) { single_ = symbol; }
  // Raises when the lengths do not form a complete prefix code.
  void Build(const uint8_t* len, int n) {
    single_ = -1;
    std::fill(std::begin(count_), std::end(count_), 0);
    for (int i = 0; i < n; ++i) ++count_[len[i]];
    count_[0] = 0;
    int64_t left = 1;
    for (int l = 1; l <= kMaxCodeLength; ++l) {
      left = (left << 1) - count_[l];
      if (left < 0) throw EReadError();
    }
    if (left != 0) throw EReadError();
    int offset[kMaxCodeLength + 2] = {};
    for (int l = 1; l <= kMaxCodeLength; ++l) offset[l + 1] = offset[l] + count_[l];
    symbols_.assign(n, 0);
    for (int i = 0; i < n; ++i)
      if (len[i]) symbols_[offset[len[i]]++] = static_cast<uint16_t>(i);
  }
  int Decode(TBitReader& br) const {
    if (single_ >= 0) return single_;
    int code = 0, first = 0, index = 0;
    for (int l = 1; l <= kMaxCodeLength; ++l) {
      code |= br.Bit();
      const int c = count_[l];
      if (code - first < c) return symbols_[index + code - first];
      index += c;
      first = (first + c) << 1;
      code <<= 1;
    }
    throw EReadError();
  }

 private:
  int single_ = -1;
  int count_[kMaxCodeLength + 1] = {};
  std::vector<uint16_t> symbols_;
};

void ReadPtLen(TBitReader& br, int nn, int nbit, int special, THuffman& table) {
  const int n = static_cast<int>(br.Get(nbit));
  if (n == 0) {
    const int c = static_cast<int>(br.Get(nbit));
    if (c >= nn) throw EReadError();
    table.SetSingle(c);
    return;
  }
  if (n > nn) throw EReadError();
  uint8_t len[NT] = {};
  int i = 0;
  while (i < n) {
    int c = static_cast<int>(br.Get(3));
    if (c == 7) {
      while (br.Bit()) {
        if (++c > kMaxCodeLength) throw EReadError();
      }
    }
    len[i++] = static_cast<uint8_t>(c);
    if (i == special) {
      int zeros = static_cast<int>(br.Get(2));
      while (zeros-- > 0 && i < nn) len[i++] = 0;
    }
  }
  table.Build(len, nn);
}

void ReadCLen(TBitReader& br, const THuffman& t, THuffman& table) {
  const int n = static_cast<int>(br.Get(CBIT));
  if (n == 0) {
    const int c = static_cast<int>(br.Get(CBIT));
    if (c >= NC) throw EReadError();
    table.SetSingle(c);
    return;
  }
  if (n > NC) throw EReadError();
  uint8_t len[NC] = {};
  int i = 0;
  while (i < n) {
    const int c = t.Decode(br);
    if (c <= 2) {
      const int run = c == 0 ? 1 : c == 1 ? static_cast<int>(br.Get(4)) + 3 : static_cast<int>(br.Get(CBIT)) + 20;
      if (run > n - i) throw EReadError();
      i += run;  // already zero
    } else {
      len[i++] = static_cast<uint8_t>(c - 2);
    }
  }
  table.Build(len, NC);
}

}  // namespace

uint16_t Crc16(const uint8_t* data, size_t size, uint16_t crc) {
  static const std::array<uint16_t, 256> table = MakeCrcTable();
  for (size_t i = 0; i < size; ++i) crc = static_cast<uint16_t>((crc >> 8) ^ table[(crc ^ data[i]) & 0xFF]);
  return crc;
}

Bytes Lh5Compress(const uint8_t* data, size_t size) {
  Bytes out;
  out.reserve(size / 2 + 64);
  TBitWriter bw(out);
  TMatcher matcher(data, size);
  std::vector<TCode> codes;
  codes.reserve(kBlockCodes);
  auto emit = [&](TCode c) {
    codes.push_back(c);
    if (codes.size() == kBlockCodes) {
      WriteBlock(bw, codes);
      codes.clear();
    }
  };
  auto literal = [&](size_t pos) { emit({data[pos], 0}); };
  auto match = [&](int len, int distance) {
    emit({static_cast<uint16_t>(256 + len - kMinMatch), static_cast<uint16_t>(distance - 1)});
  };

  constexpr int kChain = 96;
  // Lazy matching: a match found at one position is taken only if the next position does not
  // offer a longer one.
  size_t pos = 0;
  bool pending = false;
  int pendingLen = 0, pendingDistance = 0;
  while (pos < size) {
    int len = 0, distance = 0;
    matcher.Insert(pos);
    if (!(pending && pendingLen >= 64)) len = matcher.Find(pos, distance, pendingLen >= 16 ? kChain / 4 : kChain);
    if (pending) {
      if (pendingLen >= kMinMatch && pendingLen >= len) {
        match(pendingLen, pendingDistance);
        const size_t end = pos - 1 + pendingLen;
        for (size_t p = pos + 1; p < end; ++p) matcher.Insert(p);
        pos = end;
        pending = false;
        continue;
      }
      literal(pos - 1);
    }
    pending = true;
    pendingLen = len;
    pendingDistance = distance;
    ++pos;
  }
  if (pending) literal(pos - 1);
  if (!codes.empty()) WriteBlock(bw, codes);
  bw.Flush();
  return out;
}

Bytes Lh5Decompress(const uint8_t* data, size_t size, size_t originalSize, size_t maxOutput) {
  if (originalSize > maxOutput) throw EReadError();
  Bytes out;
  out.reserve(std::min<size_t>(originalSize, size * 8 + 1024));
  TBitReader br(data, size);
  THuffman t, c, p;
  uint32_t blockLeft = 0;
  while (out.size() < originalSize) {
    if (blockLeft == 0) {
      blockLeft = br.Get(16);
      if (blockLeft == 0) throw EReadError();
      ReadPtLen(br, NT, TBIT, 3, t);
      ReadCLen(br, t, c);
      ReadPtLen(br, NP, PBIT, -1, p);
    }
    --blockLeft;
    const int sym = c.Decode(br);
    if (sym < 256) {
      out.push_back(static_cast<uint8_t>(sym));
      continue;
    }
    const size_t len = static_cast<size_t>(sym - 256 + kMinMatch);
    unsigned j = static_cast<unsigned>(p.Decode(br));
    if (j > 1) j = (1u << (j - 1)) + br.Get(static_cast<int>(j) - 1);
    const size_t distance = j + 1;
    if (distance > out.size()) throw EReadError();
    const size_t n = std::min(len, originalSize - out.size());
    size_t from = out.size() - distance;
    for (size_t k = 0; k < n; ++k) out.push_back(out[from++]);
  }
  return out;
}

}  // namespace tess

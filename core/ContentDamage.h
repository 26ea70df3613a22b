#pragma once
// Damage inside a chunk's contents, and whether a load copies a record rather than reads a file.
// A record whose field decodes its chunk further (a script's lines) raises EContentDamage at the
// place inside the chunk; the record's loader turns it into EDamagedData at that place in the file.

#include <cstdint>
#include <string>

#include "core/Errors.h"

namespace tess {

// A chunk whose contents its record cannot take (a script whose lines do not decode or do not form
// whole commands).
class EContentDamage : public EReadError {
 public:
  // problem: what is wrong, a phrase without the final stop; offset: from the start of the chunk's
  // body.
  EContentDamage(std::string problem, int64_t offset) : problem_(std::move(problem)), offset_(offset) {}
  const std::string& Problem() const { return problem_; }
  int64_t Offset() const { return offset_; }

 private:
  std::string problem_;
  int64_t offset_;
};

// Loads that copy a record made in memory (Assign) rather than read bytes from outside: what the
// editor holds is copied as it is, without the checks a file's contents get.
inline thread_local int recordCopyDepth = 0;
inline bool CopyingRecord() { return recordCopyDepth > 0; }
class TRecordCopyScope {
 public:
  TRecordCopyScope() { ++recordCopyDepth; }
  ~TRecordCopyScope() { --recordCopyDepth; }
  TRecordCopyScope(const TRecordCopyScope&) = delete;
  TRecordCopyScope& operator=(const TRecordCopyScope&) = delete;
};

}  // namespace tess

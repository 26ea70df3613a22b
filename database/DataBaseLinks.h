#pragma once
// What a record needs to know about the database it belongs to while it is saved or edited: how
// many conditions and attributes exist (rank and flag arrays are trimmed to them) and whether items
// list their users per hero or per class. The database container answers; while it saves, it is
// the current one, and the editor makes its one database current for everything else.

namespace tess {

class TDataBaseLinks {
 public:
  virtual ~TDataBaseLinks() = default;
  virtual int ConditionCount() const = 0;
  virtual int AttributeCount() const = 0;
  virtual int HeroCount() const = 0;
  // True when items list their users per class, false when per hero.
  virtual bool ItemUsableByClass() const = 0;
};

// The current database, or none (then arrays are trimmed only of their trailing neutral values
// and items are usable per hero).
const TDataBaseLinks* CurrentDataBaseLinks();
void SetCurrentDataBaseLinks(const TDataBaseLinks* links);

// Makes a database current for the life of the scope.
class TDataBaseLinksScope {
 public:
  explicit TDataBaseLinksScope(const TDataBaseLinks* links) : previous_(CurrentDataBaseLinks()) {
    SetCurrentDataBaseLinks(links);
  }
  ~TDataBaseLinksScope() { SetCurrentDataBaseLinks(previous_); }
  TDataBaseLinksScope(const TDataBaseLinksScope&) = delete;
  TDataBaseLinksScope& operator=(const TDataBaseLinksScope&) = delete;

 private:
  const TDataBaseLinks* previous_;
};

}  // namespace tess

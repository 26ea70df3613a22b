#pragma once
// What a record needs to know about the database it belongs to while it is edited: the size of its
// lists and whether items list their users per hero or per class. The database container answers;
// the editor makes its one database current. (Saving needs none of it: the database passes the
// limits its records are trimmed to.)

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

// The current database, or none (then items are usable per hero).
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

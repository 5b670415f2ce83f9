#pragma once
// The roots of the class library: TObject, TPersistent and TComponent (name,
// owner, tag, ownership and removal notices), the common exceptions and the
// notify event.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/classlib/GraphicsErrors.h"
#include "platform/sys/SysUtils.h"
#include "platform/classlib/GraphicsTypes.h"
#include "platform/classlib/Messages.h"

using NativeInt = std::intptr_t;

// A silent exception: it unwinds like any other, but the handler boundary
// shows nothing for it.
class EAbort : public Exception {
 public:
  EAbort() : Exception("Operation aborted") {}
  using Exception::Exception;
};
class EInvalidOperation : public Exception {
 public:
  using Exception::Exception;
};
class EComponentError : public Exception {
 public:
  using Exception::Exception;
};
class EThread : public Exception {
 public:
  using Exception::Exception;
};

// Throws EAbort.
[[noreturn]] void Abort();

class TObject;
using TNotifyEvent = std::function<void(TObject* Sender)>;

class TObject {
 public:
  TObject() = default;
  virtual ~TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;

  // Run by the code that creates an object once its constructors are all
  // done (Application->CreateForm does it for forms); objects whose
  // behaviour needs the whole object (a form's OnCreate) use it.
  virtual void AfterConstruction() {}
  // Run by Free before the destructors, while the object is still whole.
  virtual void BeforeDestruction() {}
  // BeforeDestruction, then delete. Prefer it to a bare delete.
  void Free();

  // The message map: handles msg or passes it to DefaultHandler.
  virtual void Dispatch(TMessage& Message);
  virtual void DefaultHandler(TMessage& Message);

  // The class's own name, e.g. "TForm".
  std::string ClassName() const;
};

// Frees obj (null is allowed) and sets it to null.
template <typename T>
void FreeAndNil(T*& obj) {
  T* p = obj;
  obj = nullptr;
  if (p) p->Free();
}

class TPersistent : public TObject {
 public:
  // Copies source's state into this object; throws EConvertError when the
  // two classes cannot be assigned.
  virtual void Assign(TPersistent* Source);

 protected:
  virtual void AssignTo(TPersistent* Dest);
};

enum TComponentStateFlag {
  csLoading,
  csReading,
  csWriting,
  csDestroying,
  csDesigning,
  csAncestor,
  csUpdating,
  csFixups,
  csFreeNotification,
  csInline,
  csDesignInstance
};
using TComponentState = TSet<TComponentStateFlag>;
enum TOperation { opInsert, opRemove };

// Hash and equality of ASCII names that ignore case; a lookup may pass a
// string_view without building a key.
struct SameTextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view Text) const noexcept;
};
struct SameTextEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const noexcept;
};

class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;
  void BeforeDestruction() override;

  const std::string& GetName() const { return FName; }
  // Throws EComponentError for a name that is not an identifier or that
  // another component of the same owner already has (case-insensitive).
  virtual void SetName(const std::string& NewName);
  TComponent* GetOwner() const { return FOwner; }
  NativeInt GetTag() const { return FTag; }
  void SetTag(NativeInt Value) { FTag = Value; }
  TComponentState GetComponentState() const { return FComponentState; }

  int GetComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* GetComponents(int Index) const;
  // Position in the owner's list; -1 without an owner.
  int GetComponentIndex() const;
  // The owned component of that name, case-insensitive; null when absent.
  // Constant time: the owner keeps its named components in an index.
  TComponent* FindComponent(std::string_view AName) const;

  // Takes AComponent over from its owner, if it has one; throws
  // EComponentError when this owner has a component of its name.
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  // Frees every owned component, the last created first.
  void DestroyComponents();
  // Marks this component and everything it owns as being destroyed.
  void Destroying();

  // Both components hear (Notification opRemove) when the other is freed,
  // whoever owns them.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  // Forms built in code bracket their building with these: components are
  // marked loading in between, and Loaded runs on each (owned ones first).
  void BeginLoad();
  void EndLoad();

 protected:
  // Told about components inserted into or removed from the owner, and
  // about freed components this one asked FreeNotification for. The base
  // passes the notice on to every owned component.
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  // Clears csLoading.
  virtual void Loaded();
  void SetDesigning(bool Value);

 private:
  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);
  void ValidateRename(TComponent* AComponent, const std::string& NewName) const;
  void RemoveNotification(TComponent* AComponent);

  TComponent* FOwner = nullptr;
  std::string FName;
  NativeInt FTag = 0;
  TComponentState FComponentState;
  std::vector<TComponent*> FComponents;
  // The named ones of FComponents; names are unique within an owner.
  std::unordered_map<std::string, TComponent*, SameTextHash, SameTextEqual> FNameIndex;
  std::vector<TComponent*> FFreeNotifies;
};

// Case-insensitive comparison of ASCII identifiers and texts.
bool SameText(std::string_view a, std::string_view b);
bool IsValidIdent(std::string_view name);

// Every exception that escapes an event handler ends here (on the
// user-interface thread): it is reported through Application->HandleException
// and the program carries on. Call it inside a catch block.
void HandleEventException(TObject* Sender);

// Runs fn; an exception it throws goes to HandleEventException. The single
// boundary through which the library calls program code from the event loop.
template <typename F>
void CallGuarded(TObject* Sender, F&& fn) {
  try {
    fn();
  } catch (...) {
    HandleEventException(Sender);
  }
}

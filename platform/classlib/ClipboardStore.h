#pragma once
// Where the clipboard keeps its data (inside the library and its tests): the
// toolkit's clipboard when there is a toolkit application, else an
// in-process one. Tests put a store of their own in place.

#include <QMimeData>

#include <memory>

class ClipboardStore {
 public:
  virtual ~ClipboardStore() = default;
  // Null when the clipboard is empty.
  virtual const QMimeData* Data() const = 0;
  // Replaces the clipboard's contents; the store owns the data.
  virtual void SetData(std::unique_ptr<QMimeData> data) = 0;
};

// An in-process clipboard.
std::unique_ptr<ClipboardStore> NewMemoryClipboardStore();
// Puts a store in place (null: back to the one chosen by the environment)
// and returns the one it replaces.
std::unique_ptr<ClipboardStore> SetClipboardStore(std::unique_ptr<ClipboardStore> store);

#pragma once
// The setters of the library's appearance properties: store a changed value,
// then notify (repaint, or tell the owner); an equal value does nothing.

#define CONTROL_PROPERTY(Type, Name, Initial, Notify) \
 public:                                              \
  Type Get##Name() const {                            \
    return F##Name;                                   \
  }                                                   \
  void Set##Name(Type Value) {                        \
    if (F##Name == Value) return;                     \
    F##Name = Value;                                  \
    Notify;                                           \
  }                                                   \
                                                      \
 private:                                             \
  Type F##Name = Initial;

// Stored without a notice.
#define CONTROL_QUIET_PROPERTY(Type, Name, Initial) \
 public:                                            \
  Type Get##Name() const {                          \
    return F##Name;                                 \
  }                                                 \
  void Set##Name(Type Value) {                      \
    F##Name = Value;                                \
  }                                                 \
                                                    \
 private:                                           \
  Type F##Name = Initial;

// How every layer reaches a process-wide object: one pointer per type, set by the wiring place
// (app/process_objects.h) while the object lives, or by a test's private set. Nothing else sets
// them, and a layer never keeps a copy of the pointer: when a test replaces an object, every
// caller sees the new one at its next call.
#pragma once

#include <utility>

namespace corvisant {

template <typename T>
class ProcessWide {
 public:
  static T* Get() { return object_; }
  // Returns the object that was installed before.
  static T* Set(T* object) {
    T* previous = object_;
    object_ = object;
    return previous;
  }

 private:
  inline static T* object_ = nullptr;
};

// The process-wide T, or null while none is installed.
template <typename T>
T* Current() {
  return ProcessWide<T>::Get();
}

// Installs an object as the process-wide T for the life of this guard, and puts back the one that
// was there before when it ends; guards end in the reverse order of their making.
template <typename T>
class Installed {
 public:
  explicit Installed(T* object) : previous_(ProcessWide<T>::Set(object)) {}
  ~Installed() { ProcessWide<T>::Set(previous_); }
  Installed(const Installed&) = delete;
  Installed& operator=(const Installed&) = delete;

 private:
  T* previous_;
};

// An object that the process owns, installed as the process-wide As (itself, or the interface
// through which the layers below reach it) for as long as it lives.
template <typename T, typename As = T>
class ProcessOwned {
 public:
  template <typename... Arguments>
  explicit ProcessOwned(Arguments&&... arguments)
      : object_(std::forward<Arguments>(arguments)...), installed_(&object_) {}

  T& operator*() { return object_; }
  T* operator->() { return &object_; }

 private:
  T object_;
  Installed<As> installed_;
};

}  // namespace corvisant

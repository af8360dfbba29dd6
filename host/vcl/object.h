// The root object class: everything the host hands around by base pointer
// (reports, field maps, senders of form events) derives from it.
#pragma once

namespace vcl {

class TObject {
 public:
  TObject() = default;
  virtual ~TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
};

}  // namespace vcl

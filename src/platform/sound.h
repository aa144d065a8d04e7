// The sound port: plays a WAV file to its end (the multimedia library's play-sound entry with
// the flag that says the name is a file name).
#pragma once

#include <string>

namespace corvisant {

class Sound {
 public:
  virtual ~Sound() = default;
  // Plays the file synchronously; false when it could not be played.
  virtual bool PlayFile(const std::string& path) = 0;
};

}  // namespace corvisant

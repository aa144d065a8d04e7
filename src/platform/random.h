// The random port: the C library's rand with its 15-bit results, seeded once at start-up.
#pragma once

namespace corvisant {

constexpr int kRandomMax = 0x7FFF;  // 32767, the largest value Next gives

class Random {
 public:
  virtual ~Random() = default;
  virtual void Seed(unsigned seed) = 0;
  // 0 to kRandomMax.
  virtual int Next() = 0;
};

// The generator of the Windows C library, reproduced bit for bit where rand differs (POSIX).
class StandardRandom : public Random {
 public:
  void Seed(unsigned seed) override { state_ = seed; }
  int Next() override;

 private:
  unsigned state_ = 1;
};

}  // namespace corvisant

#pragma once
// The clock is an interface so that tests fix "today".

namespace platform {

struct LocalDateTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual LocalDateTime now() const = 0;
};

// The machine's local time.
class SystemClock : public Clock {
  public:
    LocalDateTime now() const override;
};

// A clock that always shows the same moment.
class FixedClock : public Clock {
  public:
    explicit FixedClock(LocalDateTime moment) : moment_(moment) {}
    LocalDateTime now() const override { return moment_; }
    void set(LocalDateTime moment) { moment_ = moment; }

  private:
    LocalDateTime moment_;
};

}  // namespace platform

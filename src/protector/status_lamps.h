#pragma once
// The STATUS panel Picture2: a lamp per flag of the STATUS register, refreshed by tmrStatus.
namespace common { class Program; }
namespace platform::forms { class Form; class Control; }

namespace protector {

class StatusLamps {
public:
    StatusLamps(common::Program& program, platform::forms::Form& form, platform::forms::Control& Picture2);
    StatusLamps(const StatusLamps&) = delete;
    StatusLamps& operator=(const StatusLamps&) = delete;

private:
    common::Program& program;
    platform::forms::Form& form;
};

}  // namespace protector

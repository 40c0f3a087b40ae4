#pragma once
// A stand-in for the adapter control in window tests: it logs every call with its arguments as
// they came in, and answers from a script. Unless scripted otherwise every call succeeds, reads
// give 0 and one adapter is listed. Successful writes are kept, so a read-modify-write sees its
// own earlier write. With a board attached, every call that the script does not fail goes to the
// board, which then answers it instead of the script's bytes, words and adapter list.
// A call whose argument list does not match the operation is logged and refused
// (board_status::BadArguments) without using up a scripted status.
#include <cstdint>
#include <deque>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

#include "platform/busctl/call_shape.h"
#include "platform/busctl/dispatch.h"

namespace platform::busctl {

class SimulatedBoard;

class ScriptedControl final : public AdapterControl {
public:
    struct LoggedArg {
        ArgType type;
        Passing passing;
        Variant value;  // as the caller passed it in
        friend bool operator==(const LoggedArg&, const LoggedArg&) = default;
    };
    struct Call {
        int dispId;
        std::vector<LoggedArg> args;
        bool wellFormed;     // the argument list matched the operation's
        std::int16_t status;  // what the call returned
    };
    struct WordWrite {
        int command;
        std::uint16_t word;
        int address;
        friend bool operator==(const WordWrite&, const WordWrite&) = default;
    };
    struct WordRead {
        int command;
        int address;
        friend bool operator==(const WordRead&, const WordRead&) = default;
    };
    struct ByteWrite {
        int reg;
        int data;
        friend bool operator==(const ByteWrite&, const ByteWrite&) = default;
    };
    enum class Direction { Read, Write };
    // One byte register transfer: the value written, or for a read the value that came back.
    struct ByteTransfer {
        Direction direction;
        int address;
        int reg;
        int value;
        std::int16_t status;
        friend bool operator==(const ByteTransfer&, const ByteTransfer&) = default;
    };

    ScriptedControl() = default;
    explicit ScriptedControl(SimulatedBoard& board) : board_(&board) {}

    Variant invoke(int dispId, std::vector<Arg>& args) override;

    // Script. Statuses are used up one per call of that operation, in order; when none is
    // queued the operation's default status (0 unless set) answers.
    void queueStatuses(int dispId, const std::vector<std::int16_t>& statuses);
    void failNext(int dispId, int count, std::int16_t status = 1);
    void setDefaultStatus(int dispId, std::int16_t status);
    void setByte(int reg, std::uint8_t data);        // RegisterTransfer reads, any address
    void setWord(int command, std::uint16_t word);   // ReadWordCmd, any address
    void setFreeDevices(std::int32_t count, std::string names);
    // Fails the nth (1 = the next) read or write of `reg` from now on, at any address, with
    // `status`; it wins over the queued statuses and never reaches the board.
    void failByteTransfer(Direction direction, int reg, int nth, std::int16_t status = 1);

    // What the bus saw, oldest first. Failed and refused attempts are included.
    const std::vector<Call>& calls() const { return log_; }
    std::vector<int> operations() const;
    int callCount(int dispId) const;
    std::vector<WordWrite> wordWrites() const;
    std::vector<ByteWrite> byteWrites() const;  // mode 1 transfers
    std::vector<WordRead> wordReads() const;
    std::vector<int> byteReads() const;         // registers of mode 2 transfers
    // Every byte read and write in order, failed ones included.
    const std::vector<ByteTransfer>& byteTransfers() const { return transfers_; }
    void clearLog() { log_.clear(); transfers_.clear(); }

private:
    std::int16_t nextStatus(int dispId);
    std::int16_t answer(int dispId, std::vector<Arg>& args);
    // The answer for a status already chosen: the board's, or the script's bytes and words.
    std::int16_t transfer(int dispId, std::vector<Arg>& args, std::int16_t status);
    std::int16_t aimedStatus(Direction direction, int reg, std::int16_t status);

    struct AimedFailure {
        Direction direction;
        int reg;
        int remaining;  // transfers of that kind until the failing one, itself included
        std::int16_t status;
    };

    SimulatedBoard* board_ = nullptr;
    std::vector<Call> log_;
    std::vector<ByteTransfer> transfers_;
    std::vector<AimedFailure> aimed_;
    std::map<int, std::deque<std::int16_t>> queued_;
    std::map<int, std::int16_t> defaults_;
    std::map<int, std::uint8_t> bytes_;
    std::map<int, std::uint16_t> words_;
    std::int32_t freeCount_ = 1;
    std::string freeNames_ = "SCRIPTED-1";
};

std::ostream& operator<<(std::ostream& out, const ScriptedControl::WordWrite& write);
std::ostream& operator<<(std::ostream& out, const ScriptedControl::WordRead& read);
std::ostream& operator<<(std::ostream& out, const ScriptedControl::ByteWrite& write);
std::ostream& operator<<(std::ostream& out, const ScriptedControl::ByteTransfer& transfer);

}  // namespace platform::busctl

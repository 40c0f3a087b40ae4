#include "platform/busctl/scripted_control.h"

#include <algorithm>
#include <ios>
#include <ostream>

#include "platform/busctl/simulated_board.h"

namespace platform::busctl {
namespace {

std::int16_t integer(const Variant& value) { return std::get<std::int16_t>(value); }

bool isByteTransfer(const ScriptedControl::Call& call, std::int32_t mode) {
    return call.dispId == op::RegisterTransfer && call.wellFormed &&
           std::get<std::int32_t>(call.args[0].value) == mode;
}

}  // namespace

Variant ScriptedControl::invoke(int dispId, std::vector<Arg>& args) {
    Call call{dispId, {}, matchesShape(dispId, args), board_status::BadArguments};
    for (const Arg& arg : args) {
        call.args.push_back({argType(arg.value), arg.passing, arg.value});
    }
    if (call.wellFormed) {
        call.status = answer(dispId, args);
    }
    log_.push_back(std::move(call));
    return log_.back().status;
}

std::int16_t ScriptedControl::answer(int dispId, std::vector<Arg>& args) {
    std::int16_t status = nextStatus(dispId);
    const bool byteTransfer = dispId == op::RegisterTransfer &&
        (std::get<std::int32_t>(args[0].value) == 1 || std::get<std::int32_t>(args[0].value) == 2);
    const auto direction = byteTransfer && std::get<std::int32_t>(args[0].value) == 2 ? Direction::Read : Direction::Write;
    if (byteTransfer) {
        status = aimedStatus(direction, integer(args[2].value), status);
    }
    const std::int16_t result = transfer(dispId, args, status);
    if (byteTransfer) {
        transfers_.push_back({direction, integer(args[1].value), integer(args[2].value), integer(args[3].value), result});
    }
    return result;
}

std::int16_t ScriptedControl::aimedStatus(Direction direction, int reg, std::int16_t status) {
    for (auto it = aimed_.begin(); it != aimed_.end(); ++it) {
        if (it->direction == direction && it->reg == reg && --it->remaining == 0) {
            status = it->status;
            aimed_.erase(it);
            break;
        }
    }
    return status;
}

std::int16_t ScriptedControl::transfer(int dispId, std::vector<Arg>& args, std::int16_t status) {
    if (board_ != nullptr) {
        return status != 0 ? status : std::get<std::int16_t>(board_->invoke(dispId, args));
    }
    switch (dispId) {
    case op::ListFreeDevices:
        args[1].value = freeCount_;
        args[2].value = freeNames_;
        break;
    case op::ReadWordCmd:
        if (status == 0) {
            const auto found = words_.find(integer(args[0].value));
            args[1].value = static_cast<std::int16_t>(found == words_.end() ? 0 : found->second);
        }
        break;
    case op::WriteWordCmd:
        if (status == 0) {
            words_[integer(args[0].value)] = static_cast<std::uint16_t>(integer(args[1].value));
        }
        break;
    case op::RegisterTransfer: {
        const std::int32_t mode = std::get<std::int32_t>(args[0].value);
        const int reg = integer(args[2].value);
        if (status == 0 && mode == 2) {
            const auto found = bytes_.find(reg);
            args[3].value = std::int16_t{found == bytes_.end() ? std::uint8_t{0} : found->second};
        } else if (status == 0 && mode == 1) {
            bytes_[reg] = static_cast<std::uint8_t>(integer(args[3].value));
        }
        break;
    }
    default: break;
    }
    return status;
}

std::int16_t ScriptedControl::nextStatus(int dispId) {
    auto& pending = queued_[dispId];
    if (!pending.empty()) {
        const std::int16_t status = pending.front();
        pending.pop_front();
        return status;
    }
    const auto found = defaults_.find(dispId);
    return found == defaults_.end() ? 0 : found->second;
}

void ScriptedControl::queueStatuses(int dispId, const std::vector<std::int16_t>& statuses) {
    auto& pending = queued_[dispId];
    pending.insert(pending.end(), statuses.begin(), statuses.end());
}

void ScriptedControl::failNext(int dispId, int count, std::int16_t status) {
    queueStatuses(dispId, std::vector<std::int16_t>(std::max(count, 0), status));
}

void ScriptedControl::setDefaultStatus(int dispId, std::int16_t status) {
    defaults_[dispId] = status;
}

void ScriptedControl::failByteTransfer(Direction direction, int reg, int nth, std::int16_t status) {
    if (nth > 0) {
        aimed_.push_back({direction, reg, nth, status});
    }
}

void ScriptedControl::setByte(int reg, std::uint8_t data) { bytes_[reg] = data; }
void ScriptedControl::setWord(int command, std::uint16_t word) { words_[command] = word; }

void ScriptedControl::setFreeDevices(std::int32_t count, std::string names) {
    freeCount_ = count;
    freeNames_ = std::move(names);
}

std::vector<int> ScriptedControl::operations() const {
    std::vector<int> ids;
    for (const Call& call : log_) {
        ids.push_back(call.dispId);
    }
    return ids;
}

int ScriptedControl::callCount(int dispId) const {
    return static_cast<int>(std::count_if(
        log_.begin(), log_.end(), [dispId](const Call& call) { return call.dispId == dispId; }));
}

std::vector<ScriptedControl::WordWrite> ScriptedControl::wordWrites() const {
    std::vector<WordWrite> writes;
    for (const Call& call : log_) {
        if (call.dispId == op::WriteWordCmd && call.wellFormed) {
            writes.push_back({integer(call.args[0].value),
                              static_cast<std::uint16_t>(integer(call.args[1].value)),
                              integer(call.args[2].value)});
        }
    }
    return writes;
}

std::vector<ScriptedControl::ByteWrite> ScriptedControl::byteWrites() const {
    std::vector<ByteWrite> writes;
    for (const Call& call : log_) {
        if (isByteTransfer(call, 1)) {
            writes.push_back({integer(call.args[2].value), integer(call.args[3].value)});
        }
    }
    return writes;
}

std::vector<ScriptedControl::WordRead> ScriptedControl::wordReads() const {
    std::vector<WordRead> reads;
    for (const Call& call : log_) {
        if (call.dispId == op::ReadWordCmd && call.wellFormed) {
            reads.push_back({integer(call.args[0].value), integer(call.args[2].value)});
        }
    }
    return reads;
}

std::vector<int> ScriptedControl::byteReads() const {
    std::vector<int> registers;
    for (const Call& call : log_) {
        if (isByteTransfer(call, 2)) {
            registers.push_back(integer(call.args[2].value));
        }
    }
    return registers;
}

std::ostream& operator<<(std::ostream& out, const ScriptedControl::WordWrite& write) {
    return out << std::hex << "{cmd 0x" << write.command << ", word 0x" << write.word << ", addr 0x"
               << write.address << '}' << std::dec;
}

std::ostream& operator<<(std::ostream& out, const ScriptedControl::WordRead& read) {
    return out << std::hex << "{cmd 0x" << read.command << ", addr 0x" << read.address << '}' << std::dec;
}

std::ostream& operator<<(std::ostream& out, const ScriptedControl::ByteWrite& write) {
    return out << std::hex << "{reg 0x" << write.reg << ", data 0x" << write.data << '}'
               << std::dec;
}

std::ostream& operator<<(std::ostream& out, const ScriptedControl::ByteTransfer& transfer) {
    return out << std::hex << '{' << (transfer.direction == ScriptedControl::Direction::Read ? "read" : "write")
               << " addr 0x" << transfer.address << ", reg 0x" << transfer.reg << ", value 0x" << transfer.value
               << ", status " << std::dec << transfer.status << '}';
}

}  // namespace platform::busctl

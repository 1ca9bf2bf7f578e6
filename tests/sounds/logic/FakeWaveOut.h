#pragma once

// An output device that records what it is asked to do, refuses steps on
// demand and reports any played position the test wants.
#include "sounds/WaveOut.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orvanta::test {

struct TFakeDevice {
    int Devices = 1;
    bool OpenOk = true;
    bool PrepareOk = true;
    bool WriteOk = true;
    std::int64_t Position = 0;
    std::vector<std::string> Calls;
    std::vector<const std::uint8_t*> Written;
    TWaveFormat Opened;
    // Sends the device's "buffer done"; set while the output exists.
    std::function<void()> ReportDone;
};

class TFakeWaveOut : public TWaveOut {
public:
    explicit TFakeWaveOut(std::shared_ptr<TFakeDevice> device) : Device(std::move(device)) {
        Device->ReportDone = [this] { NotifyDone(); };
    }
    ~TFakeWaveOut() override { Device->ReportDone = nullptr; }

    int DeviceCount() const override { return Device->Devices; }
    bool Open(const TWaveFormat& format) override {
        Device->Calls.push_back("Open");
        Device->Opened = format;
        return Device->OpenOk;
    }
    bool Prepare(TWaveHeader& header) override {
        Device->Calls.push_back("Prepare");
        if (Device->PrepareOk) {
            header.Flags |= TWaveHeader::Prepared;
        }
        return Device->PrepareOk;
    }
    bool Unprepare(TWaveHeader& header) override {
        Device->Calls.push_back("Unprepare");
        header.Flags &= ~TWaveHeader::Prepared;
        return true;
    }
    bool Write(TWaveHeader& header) override {
        Device->Calls.push_back("Write");
        if (Device->WriteOk) {
            Device->Written.push_back(header.Data);
        }
        return Device->WriteOk;
    }
    void Reset() override { Device->Calls.push_back("Reset"); }
    void Close() override { Device->Calls.push_back("Close"); }
    std::int64_t Position() const override { return Device->Position; }

private:
    std::shared_ptr<TFakeDevice> Device;
};

} // namespace orvanta::test

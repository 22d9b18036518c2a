// The fixed table of 700 point slots with its count and unsaved-changes flag: the one place
// through which every part of the program reads and changes points.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/message_sink.h"

namespace vondrel {

constexpr int kTableRows = 700;
constexpr std::size_t kNameLimit = 16;

// One slot. All texts are code page 932 bytes.
struct PointRecord {
    std::int16_t slot = -1;      // -1: empty slot; any other value: the slot holds a point
    std::string name;            // glorie nb
    std::string reading;         // glorie rt
    std::string lon;             // decimal degrees east, Tokyo datum
    std::string lat;             // decimal degrees north, Tokyo datum
    std::string mark = "00";     // two uppercase hexadecimal digits
    std::string tel;
    std::string sound = "0";     // glorie optional-media id
    std::string outmost = "500"; // kept as read, never shown or written
    std::string dcenter;         // direction centre in whole degrees
    std::int32_t directionOn = 0;

    // Every field back to its default; `slot` is left to the caller.
    void ClearFields();
};

class PointTable {
public:
    PointTable();

    // Where Load and Save show their messages; none means they are dropped.
    void SetMessageSink(MessageSink* sink) { messages = sink; }
    MessageSink* GetMessageSink() const { return messages; }

    void Reset();
    bool IsUsed(int index) const { return rows[static_cast<std::size_t>(index)].slot != -1; }
    int UsedCount() const;
    int GetCount() const { return count; }
    int IsModified() const { return modified; }
    void SetModified(int value) { modified = value; }

    void GetName(std::string& out, int index) const { out = Row(index).name; }
    void SetName(const std::string& value, int index);
    void GetReading(std::string& out, int index) const { out = Row(index).reading; }
    void SetReading(const std::string& value, int index) { Row(index).reading = value; }
    void GetLonDms(std::string& out, int index) const;
    void GetLatDms(std::string& out, int index) const;
    void SetLon(const std::string& value, int index);
    void SetLat(const std::string& value, int index);
    void GetTel(std::string& out, int index) const { out = Row(index).tel; }
    void SetTel(const std::string& value, int index) { Row(index).tel = value; }
    void GetSound(std::string& out, int index) const { out = Row(index).sound; }
    void SetSound(const std::string& value, int index) { Row(index).sound = value; }
    void GetDcenter(std::string& out, int index) const { out = Row(index).dcenter; }
    void SetDcenter(const std::string& value, int index) { Row(index).dcenter = value; }
    void GetMark(std::string& out, int index) const;
    void SetMark(const std::string& value, int index);
    int GetDirectionOn(int index) const { return Row(index).directionOn; }
    void SetDirectionOn(int value, int index) { Row(index).directionOn = value; }

    int InsertBlank(int pos);
    void CopyRow(int to, int from);
    int DeleteRow(int index);
    void MoveRow(int to, int from);

    // Glorie files: 0 on success, -1 when refused or failed (the message is already shown).
    int Load(const std::string& path);
    int Save(const std::string& path) const;

    // Direct access for the file reader and writer and for tests.
    const PointRecord& Row(int index) const { return rows[static_cast<std::size_t>(index)]; }
    PointRecord& Row(int index) { return rows[static_cast<std::size_t>(index)]; }
    void SetCount(int value) { count = value; }

private:
    std::int32_t count = 0;
    std::int32_t modified = 0;
    std::array<PointRecord, kTableRows> rows;
    MessageSink* messages = nullptr;
};

// Mark text helpers shared with the dialogs: decimal text to the stored two hexadecimal
// digits, and the stored text back to "%02d".
std::string MarkDecimalToHex(const std::string& decimal);
std::string MarkHexToDecimal(const std::string& hex);

// The name as SetName stores it: at most 16 bytes, never ending inside a double-byte character.
std::string ShortenName(const std::string& name);

}  // namespace vondrel

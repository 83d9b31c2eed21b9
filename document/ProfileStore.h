// The program's preferences store (sections and named values under the
// program's profile root). Sections are written with backslashes, as in
// "Settings\\Comm". The application backs it with wxConfig; tests use the
// in-memory store. Writes are held until Flush: whoever ends a user's action
// (a dialog's OK, start-up, exit) flushes once, so the file is written once
// for the action rather than once for each of its values.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace qv {

class ProfileStore {
public:
    virtual ~ProfileStore() = default;
    virtual bool SectionExists(const std::string& section) const = 0;
    virtual bool CreateSection(const std::string& section) = 0;
    virtual std::optional<uint32_t> ReadNumber(const std::string& section,
                                               const std::string& name) const = 0;
    virtual std::optional<std::wstring> ReadText(const std::string& section,
                                                 const std::string& name) const = 0;
    virtual bool WriteNumber(const std::string& section, const std::string& name,
                             uint32_t value) = 0;
    virtual bool WriteText(const std::string& section, const std::string& name,
                           const std::wstring& value) = 0;
    virtual bool DeleteValue(const std::string& section, const std::string& name) = 0;
    // Makes the changes so far lasting; false when they could not be.
    virtual bool Flush() = 0;
};

// Flushes the profile when the action it guards ends, however it ends.
class FlushProfileAtEnd {
public:
    explicit FlushProfileAtEnd(ProfileStore& profile) : profile_(profile) {}
    ~FlushProfileAtEnd() { profile_.Flush(); }
    FlushProfileAtEnd(const FlushProfileAtEnd&) = delete;
    FlushProfileAtEnd& operator=(const FlushProfileAtEnd&) = delete;

private:
    ProfileStore& profile_;
};

// A profile held in memory: the tests' store, and a stand-in where no
// persistent profile is wanted.
class MemoryProfile : public ProfileStore {
public:
    bool SectionExists(const std::string& section) const override {
        return sections_.count(section) != 0;
    }
    bool CreateSection(const std::string& section) override {
        if (!SectionExists(section))
            ++pending_;
        sections_[section];
        return true;
    }
    std::optional<uint32_t> ReadNumber(const std::string& section,
                                       const std::string& name) const override {
        const Value* v = Find(section, name);
        if (!v || !v->number)
            return std::nullopt;
        return v->number;
    }
    std::optional<std::wstring> ReadText(const std::string& section,
                                         const std::string& name) const override {
        const Value* v = Find(section, name);
        if (!v || !v->text)
            return std::nullopt;
        return v->text;
    }
    bool WriteNumber(const std::string& section, const std::string& name,
                     uint32_t value) override {
        sections_[section][name] = Value{value, std::nullopt};
        ++pending_;
        return true;
    }
    bool WriteText(const std::string& section, const std::string& name,
                   const std::wstring& value) override {
        sections_[section][name] = Value{std::nullopt, value};
        ++pending_;
        return true;
    }
    bool DeleteValue(const std::string& section, const std::string& name) override {
        auto s = sections_.find(section);
        const bool removed = s != sections_.end() && s->second.erase(name) != 0;
        pending_ += removed ? 1 : 0;
        return removed;
    }
    bool Flush() override {
        ++flushes_;
        pending_ = 0;
        return true;
    }

    // Calls of Flush so far, and the changes made since the last one.
    int Flushes() const { return flushes_; }
    int Pending() const { return pending_; }

private:
    struct Value {
        std::optional<uint32_t> number;
        std::optional<std::wstring> text;
    };
    const Value* Find(const std::string& section, const std::string& name) const {
        auto s = sections_.find(section);
        if (s == sections_.end())
            return nullptr;
        auto v = s->second.find(name);
        return v == s->second.end() ? nullptr : &v->second;
    }
    std::map<std::string, std::map<std::string, Value>> sections_;
    int flushes_ = 0;
    int pending_ = 0;
};

} // namespace qv

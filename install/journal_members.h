// The files an installation writes, as its record lists them: every name in one buffer and a
// flag beside it, so a package of 100,000 files costs the names' bytes and a few bytes each,
// not a string object and an allocation per file.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace install {

struct JournalMember {
    std::string_view name;  // the member's name as stored in the archive
    bool replaces;          // a file of that name was there before: it is set aside, not deleted
};

class JournalMembers {
public:
    JournalMembers() = default;
    JournalMembers(std::initializer_list<JournalMember> members) {
        for (const JournalMember& member : members) push_back(member);
    }

    void push_back(const JournalMember& member) {
        names_.append(member.name);
        ends_.push_back(names_.size());
        replaces_.push_back(member.replaces);
    }
    std::size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }
    // A view into the list, valid until the next push_back.
    JournalMember operator[](std::size_t i) const {
        const std::size_t start = i == 0 ? 0 : ends_[i - 1];
        return {std::string_view(names_).substr(start, ends_[i] - start), replaces_[i] != 0};
    }

    class Iterator {
    public:
        Iterator(const JournalMembers& list, std::size_t at) : list_(&list), at_(at) {}
        JournalMember operator*() const { return (*list_)[at_]; }
        Iterator& operator++() {
            ++at_;
            return *this;
        }
        bool operator!=(const Iterator& other) const { return at_ != other.at_; }

    private:
        const JournalMembers* list_;
        std::size_t at_;
    };
    Iterator begin() const { return {*this, 0}; }
    Iterator end() const { return {*this, size()}; }

private:
    std::string names_;
    std::vector<std::size_t> ends_;  // one past each name in names_
    // A byte per flag, not vector<bool>: its own insertion code would cost the installer more
    // than the bytes it saves.
    std::vector<unsigned char> replaces_;
};

}  // namespace install

#include "app/KeyTips.h"

#include "app/RibbonLayout.h"

namespace qv {

namespace {

bool IsTipKey(int key) {
    return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
}

KeyTip TipOf(const StripItem& item) {
    const KeyTipAction action = item.id == kApplicationMenuButton ? KeyTipAction::ApplicationMenu
                                : item.id == kStyleMenuButton     ? KeyTipAction::StyleMenu
                                                                  : KeyTipAction::RunCommand;
    return {KeysOfText(item.keyTip), action, item.id, item.label};
}

void CheckLevel(const std::string& name, const std::vector<KeyTip>& tips,
                std::vector<std::string>& problems) {
    for (size_t i = 0; i < tips.size(); ++i) {
        const std::string& keys = tips[i].keys;
        bool valid = !keys.empty() && keys.size() <= 2;
        for (char c : keys)
            valid = valid && IsTipKey(c);
        if (!valid)
            problems.push_back(name + ": \"" + keys + "\" is no key tip");
        for (size_t j = 0; j < tips.size(); ++j) {
            const std::string& other = tips[j].keys;
            if (j == i || keys.empty() || other.compare(0, keys.size(), keys) != 0)
                continue;
            if (other == keys && j < i)
                continue; // reported once, from the first of the two
            problems.push_back(name + ": \"" + keys + "\" " +
                               (other == keys ? "twice" : "begins \"" + other + "\""));
        }
    }
}

} // namespace

KeyTipLevels MainWindowKeyTips() {
    KeyTipLevels levels;
    levels.top.push_back(TipOf(ApplicationButton()));
    for (const StripItem& tool : QuickAccessTools())
        levels.top.push_back(TipOf(tool));
    const auto& categories = RibbonCategories();
    for (size_t c = 0; c < categories.size(); ++c) {
        levels.top.push_back({KeysOfText(categories[c].keyTip), KeyTipAction::ShowCategory,
                              static_cast<int>(c), categories[c].label});
        std::vector<KeyTip> commands;
        for (const RibbonPanel& panel : categories[c].panels)
            for (const RibbonCommand& command : panel.commands)
                commands.push_back({KeysOfText(command.keyTip), KeyTipAction::RunCommand,
                                    command.id, command.label});
        levels.categories.push_back(std::move(commands));
    }
    levels.top.push_back(TipOf(StyleButton()));
    levels.top.push_back(TipOf(AboutButton()));
    return levels;
}

std::vector<std::string> KeyTipProblems(const KeyTipLevels& levels) {
    std::vector<std::string> problems;
    CheckLevel("first level", levels.top, problems);
    for (size_t c = 0; c < levels.categories.size(); ++c)
        CheckLevel("category " + std::to_string(c), levels.categories[c], problems);
    return problems;
}

KeyTips::KeyTips(KeyTipLevels levels, std::function<bool(int)> enabled)
    : levels_(std::move(levels)), enabled_(std::move(enabled)) {}

const std::vector<KeyTip>& KeyTips::LevelTips() const {
    if (level_ >= 0 && static_cast<size_t>(level_) < levels_.categories.size())
        return levels_.categories[static_cast<size_t>(level_)];
    return levels_.top;
}

std::vector<KeyTip> KeyTips::Visible() const {
    std::vector<KeyTip> tips;
    if (!shown_)
        return tips;
    for (const KeyTip& tip : LevelTips())
        if (tip.keys.compare(0, typed_.size(), typed_) == 0)
            tips.push_back(tip);
    return tips;
}

KeyTips::Result KeyTips::KeyDown(int key, bool alt, bool other) {
    Result r;
    if (key == kAlt) {
        altAlone_ = !other;
        return r;
    }
    altAlone_ = false;
    if (other) {
        Reset();
        return r;
    }
    if (!shown_) {
        // Alt held with a key acts as the first level would.
        if (!alt || !IsTipKey(key))
            return r;
        shown_ = true;
        level_ = kTopLevel;
        typed_.clear();
        return Type(static_cast<char>(key));
    }
    if (key == kEscape) {
        r.consumed = true; // Escape only steps back
        if (!typed_.empty())
            typed_.clear();
        else if (level_ != kTopLevel)
            level_ = kTopLevel;
        else
            Reset();
        return r;
    }
    if (!IsTipKey(key)) {
        Reset();
        return r;
    }
    return Type(static_cast<char>(key));
}

KeyTips::Result KeyTips::Type(char key) {
    Result r;
    const std::string keys = typed_ + key;
    bool begun = false;
    for (const KeyTip& tip : LevelTips()) {
        if (tip.keys == keys) {
            r.consumed = true;
            typed_.clear();
            if (tip.action == KeyTipAction::RunCommand && enabled_ && !enabled_(tip.value))
                return r; // a disabled command: the tips stay
            r.chosen = tip;
            if (tip.action == KeyTipAction::ShowCategory)
                level_ = tip.value;
            else
                Reset();
            return r;
        }
        begun = begun || tip.keys.compare(0, keys.size(), keys) == 0;
    }
    if (begun) {
        typed_ = keys; // the first of two keys
        r.consumed = true;
    } else {
        Reset(); // no tip: the key goes on
    }
    return r;
}

void KeyTips::KeyUp(int key) {
    if (key == kAlt && altAlone_) {
        const bool show = !shown_;
        Reset();
        shown_ = show;
    }
    altAlone_ = false;
}

void KeyTips::Reset() {
    altAlone_ = false;
    shown_ = false;
    level_ = kTopLevel;
    typed_.clear();
}

} // namespace qv

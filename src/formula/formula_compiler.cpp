#include "formula/formula_compiler.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <limits>
#include <string_view>
#include <system_error>

namespace orvale {

namespace {

// How many bytes from `from` make `count` bytes ending on a whole UTF-8 character: the quoted
// part of a message grows to the end of a character it would cut, a cut text shrinks to the
// start of it.
size_t WholeCharacters(std::string_view text, size_t from, size_t count, bool grow) {
    size_t end = std::min(text.size(), from + count);
    const auto inside = [&](size_t at) {
        return at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80;
    };
    while (inside(end) && (grow || end > from)) {
        if (grow)
            ++end;
        else
            --end;
    }
    return end - from;
}

constexpr char kInvalidCharacter[] = "Invalid character:";
constexpr int kMaxChannelIndex = 31;  // the recorded-channel mask has 32 bits

struct Keyword {
    std::string_view text;
    uint8_t kind;
};

// Function keywords include their opening parenthesis; HST, PI and X take none.
constexpr std::array<Keyword, 13> kKeywords{{{"COS(", kKindCos},
                                             {"EXP(", kKindExp},
                                             {"SIN(", kKindSin},
                                             {"ATN(", kKindAtan},
                                             {"ABS(", kKindAbs},
                                             {"PSD(", kKindPowerSpectrum},
                                             {"FFT(", kKindSpectrum},
                                             {"INT(", kKindIntegral},
                                             {"DIF(", kKindDerivative},
                                             {"LN(", kKindLn},
                                             {"HST", kKindHistogram},
                                             {"PI", kKindPi},
                                             {"X", kKindTime}}};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string UpperCase(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

struct NumberText {
    size_t length;   // characters that belong to the number
    bool hasDigits;  // a lone point is no number
};

// The decimal number at the start of text: digits, an optional point and fraction, and an
// exponent only when it is complete, so "2EXP(1)" reads as 2 followed by EXP(1).
NumberText ScanNumber(std::string_view text) {
    const size_t n = text.size();
    size_t i = 0;
    bool digits = false;
    for (; i < n && IsDigit(text[i]); ++i)
        digits = true;
    if (i < n && text[i] == '.')
        for (++i; i < n && IsDigit(text[i]); ++i)
            digits = true;
    if (digits && i < n && text[i] == 'E') {
        size_t j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < n && IsDigit(text[j]))
            for (i = j; i < n && IsDigit(text[i]); ++i) {
            }
    }
    return {i, digits};
}

// The nearest single to a number text; one beyond the single range becomes infinite or zero.
float NumberValue(std::string_view text) {
    const char* first = text.data();
    const char* last = first + text.size();
    float value = 0.0f;
    if (std::from_chars(first, last, value).ec != std::errc::result_out_of_range)
        return value;
    double wide = 0.0;
    if (std::from_chars(first, last, wide).ec == std::errc())
        return static_cast<float>(wide);
    return text.find("E-") != std::string_view::npos ? 0.0f
                                                     : std::numeric_limits<float>::infinity();
}

struct ChannelNumber {
    int digits;  // 0 when the characters do not read as a number
    int n;
};

// The two characters at `at` when both are digits, else the one when it is.
ChannelNumber ReadChannelNumber(std::string_view text, size_t at) {
    auto digitAt = [&](size_t i) { return i < text.size() && IsDigit(text[i]); };
    if (digitAt(at) && digitAt(at + 1))
        return {2, (text[at] - '0') * 10 + (text[at + 1] - '0')};
    if (digitAt(at))
        return {1, text[at] - '0'};
    return {0, 0};
}

class Compiler {
public:
    Compiler(AppState& state, Prompts& prompts, Formula& formula, bool& singleChannel,
             int& firstChannel, uint32_t expanding)
        : state_(state),
          prompts_(prompts),
          formula_(formula),
          single_(singleChannel),
          first_(firstChannel),
          expanding_(expanding) {}

    int Run(std::string_view text, int startSlot);

private:
    bool Step(char c);
    bool Number();
    bool Channel();
    bool Expansion();
    bool KeywordTerm();
    void Prepare();
    void SetOp(int slot, char op) {
        if (slot >= 0 && slot < kFormulaSlots)
            formula_.Op[static_cast<size_t>(slot)] = op;
    }
    void Term(uint8_t kind, float value, size_t length) {
        formula_.Kind[static_cast<size_t>(s_)] = kind;
        formula_.Value[static_cast<size_t>(s_)] = value;
        ++s_;
        r_ += length;
    }
    bool Invalid();
    bool Plain(const std::string& message);

    AppState& state_;
    Prompts& prompts_;
    Formula& formula_;
    bool& single_;
    int& first_;
    uint32_t expanding_;  // bit n: channel n's formula is being expanded around this text
    std::string text_;
    int s_ = 0;     // current slot
    size_t r_ = 0;  // reading position, 0-based
};

int Compiler::Run(std::string_view text, int startSlot) {
    if (startSlot < 0 || startSlot > kFormulaSlots) {
        formula_.Count = 0;
        return 0;
    }
    text_ = UpperCase(text.substr(0, WholeCharacters(text, 0, kFormulaTextLimit, false)));
    state_.formula.IntegratorIndex = 0;
    single_ = false;
    first_ = -1;
    SetOp(startSlot, '+');
    s_ = startSlot;
    r_ = 0;
    while (r_ < text_.size()) {
        const char c = text_[r_];
        if (c == ' ') {
            Prepare();
            ++r_;
            continue;
        }
        // Anything but a blank stores into slot s or s+1; the last slot is 60, and one past
        // the last term keeps the "+" that a spectrum request joins with.
        if (s_ >= kFormulaSlots) {
            Invalid();
            formula_.Count = 0;
            return 0;
        }
        Prepare();
        if (!Step(c)) {
            formula_.Count = 0;
            return 0;
        }
    }
    formula_.Count = static_cast<uint8_t>(s_);
    return s_;
}

void Compiler::Prepare() {
    SetOp(s_ + 1, '+');
    if (s_ < kFormulaSlots) {
        formula_.Kind[static_cast<size_t>(s_)] = kKindNone;
        formula_.Value[static_cast<size_t>(s_)] = 0.0f;
    }
}

bool Compiler::Step(char c) {
    switch (c) {
        case '(':
        case '[':
        case '{':
            Term(kKindGroup, 0.0f, 1);
            return true;
        case ')':
        case ']':
        case '}':
        case ',':
            SetOp(s_, kCloseOp);
            ++s_;
            ++r_;
            return true;
        case '+':
        case '-':
        case '*':
        case '/':
        case '^':
            SetOp(s_, c);
            ++r_;
            return true;
        default:
            break;
    }
    if (IsDigit(c) || c == '.')
        return Number();
    const std::string_view rest = std::string_view(text_).substr(r_);
    if (rest.starts_with("CH"))
        return Channel();
    if (rest.starts_with("FCH"))
        return Expansion();
    return KeywordTerm();
}

bool Compiler::Number() {
    const std::string_view rest = std::string_view(text_).substr(r_);
    const NumberText number = ScanNumber(rest);
    if (!number.hasDigits)
        return Plain(
            "Bad formula data \"" +
            std::string(rest.substr(0, WholeCharacters(rest, 0, number.length + 1, true))) + "\"");
    Term(kKindNumber, NumberValue(rest.substr(0, number.length)), number.length);
    return true;
}

bool Compiler::Channel() {
    const ChannelNumber channel = ReadChannelNumber(text_, r_ + 2);
    if (channel.digits == 0)
        return Plain("Bad formula channel number \"" +
                     text_.substr(r_, WholeCharacters(text_, r_, 4, true)) + "\"");
    const int index = channel.n - 1;
    if (index < 0 || index > kMaxChannelIndex || ((state_.recordedChannelMask >> index) & 1u) == 0)
        return Plain("Formula channel not active \"" +
                     text_.substr(r_, 2 + static_cast<size_t>(channel.digits)) + "\"");
    if (first_ == -1) {
        first_ = index;
        single_ = true;
    } else {
        single_ = false;
    }
    Term(kKindChannel, static_cast<float>(channel.n), 2 + static_cast<size_t>(channel.digits));
    return true;
}

bool Compiler::Expansion() {
    const ChannelNumber channel = ReadChannelNumber(text_, r_ + 3);
    if (channel.digits == 0 || channel.n < 1 || channel.n > kChannelSlots)
        return Invalid();
    const size_t length = 3 + static_cast<size_t>(channel.digits);
    const uint32_t bit = 1u << channel.n;
    // Expanding a channel inside its own expansion would never end.
    if ((expanding_ & bit) != 0)
        return Plain("Formula channel refers to itself \"" + text_.substr(r_, length) + "\"");
    formula_.Kind[static_cast<size_t>(s_)] = kKindGroup;
    formula_.Value[static_cast<size_t>(s_)] = 0.0f;
    Compiler nested(state_, prompts_, formula_, single_, first_, expanding_ | bit);
    const int end = nested.Run(state_.channels[static_cast<size_t>(channel.n - 1)].formula, s_ + 1);
    // The closing slot goes at `end`; it must be a real slot.
    if (end == 0 || end >= kFormulaSlots)
        return Invalid();
    SetOp(end, kCloseOp);
    formula_.Kind[static_cast<size_t>(end)] = kKindNone;
    formula_.Value[static_cast<size_t>(end)] = 0.0f;
    s_ = end + 1;
    // A term written straight after the expansion is added, like any term without an operator.
    SetOp(s_, '+');
    single_ = false;
    r_ += length;
    return true;
}

bool Compiler::KeywordTerm() {
    const std::string_view rest = std::string_view(text_).substr(r_);
    for (const Keyword& keyword : kKeywords) {
        if (!rest.starts_with(keyword.text))
            continue;
        const uint8_t kind = keyword.kind;
        // A spectrum is computed over the whole formula, so it can only stand first.
        if (kind == kKindSpectrum && s_ != 1)
            return Plain("FFT must be first term");
        if (kind == kKindPowerSpectrum && s_ != 1)
            return Plain("PSD must be first term");
        if (kind == kKindIntegral || kind == kKindDerivative) {
            if (state_.formula.IntegratorIndex >= kMaxIntegrators)
                return Invalid();
            ++state_.formula.IntegratorIndex;
            state_.formula.seriesMode = kSeriesIntegral;
        }
        Term(kind, 0.0f, keyword.text.size());
        return true;
    }
    return Invalid();
}

bool Compiler::Invalid() {
    // The caret line counts the opening quote, so r blanks put the caret under character r.
    prompts_.ShowErrorBox(kInvalidCharacter, "\"" + text_ + "\"", std::string(r_ + 1, ' ') + "^");
    return false;
}

bool Compiler::Plain(const std::string& message) {
    state_.errorMessages.Set(message);
    ShowError(state_, prompts_, kErrorSlot);
    return false;
}

}  // namespace

int CompileFormula(AppState& state, Prompts& prompts, const std::string& text, Formula& formula,
                   int startSlot, bool& singleChannel, int& firstChannel) {
    Compiler compiler(state, prompts, formula, singleChannel, firstChannel, 0);
    return compiler.Run(text, startSlot);
}

}  // namespace orvale

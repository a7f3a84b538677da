// The window and zeb40ctl set read their bounds from the one settings table:
// every setting, under both norms and both insert sizes, accepts the same
// values, stores the same bounded byte and refuses with the same message.

#include "files/ConfigFile.h"
#include "tests/cli/CliFixture.h"
#include "tests/config/window/ConfigWindowFixture.h"

#include <set>

namespace zeb40::test {
namespace {

struct Outcome {
    std::optional<int> stored; // empty: refused
    std::string refusal;       // the validation message of a refused value
    bool operator==(const Outcome&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Outcome& outcome) {
    return outcome.stored ? out << "stored " << *outcome.stored
                          : out << "refused: " << outcome.refusal;
}

// Values on and beside the field's range and the bounds for the norm and size.
std::vector<int> Probes(const ItemDescription& description, const BoundsBasis& basis) {
    std::set<int> probes;
    auto around = [&probes](int minimum, int maximum) {
        probes.insert({minimum - 1, minimum, maximum, maximum + 1});
    };
    around(description.fieldMin, description.fieldMax);
    if (auto bounds = SetItemBounds(description.item, basis)) {
        if (description.encoding == ItemEncoding::Bcd)
            around(DecimalFromBcd(bounds->minimum), DecimalFromBcd(bounds->maximum));
        else
            around(bounds->minimum, bounds->maximum);
    }
    return {probes.begin(), probes.end()};
}

class SettingRangesAgree : public ConfigWindowFixture {
  protected:
    void SetUp() override {
        ConfigWindowFixture::SetUp();
        link.CloseIfOpen(); // nothing to write: the window only stores
    }

    void OpenWith(const ConfigItemTable& table) {
        config = ConfigState{};
        config.table = table;
        Open();
    }

    void Change(const ItemDescription& description, int value) {
        const int id = SettingControlIdsOf(description.item).control;
        switch (description.encoding) {
        case ItemEncoding::Index:
        case ItemEncoding::OffFlag:
            Choose(id, value);
            break;
        case ItemEncoding::Check:
            Check(id)->setChecked(value != 0);
            emit Check(id)->clicked(value != 0);
            break;
        case ItemEncoding::Number:
        case ItemEncoding::Bcd:
            Enter(id, QString::number(value));
            break;
        }
    }

    Outcome InWindow(const ItemDescription& description, const ConfigItemTable& base, int value) {
        op.messages.clear();
        Change(description, value);
        Outcome outcome;
        if (!op.messages.empty())
            outcome.refusal = op.messages.back().text;
        else
            outcome.stored = config.table[static_cast<std::size_t>(description.item)];
        // Back to the start for the next value.
        const auto item = static_cast<std::size_t>(description.item);
        Change(description, ControlValueFromItem(description, base[item]));
        config.table[item] = base[item];
        return outcome;
    }

    Outcome ThroughTool(const ItemDescription& description, const ConfigItemTable& base,
                        int value) {
        const std::string path = folder.File("ranges.zeb");
        EXPECT_FALSE(SaveConfigTable(path, base));
        const std::string text = description.encoding == ItemEncoding::Check
                                     ? std::string(value ? "on" : "off")
                                     : std::to_string(value);
        CliRun run = RunTool({"set", "-f", path, std::string(description.name), text});
        Outcome outcome;
        if (run.code != 0) {
            EXPECT_EQ(run.code, 2) << run.err;
            outcome.refusal = run.err.substr(run.err.rfind(": ") + 2);
            outcome.refusal.pop_back(); // the line end
        } else {
            outcome.stored =
                (*LoadConfigTable(path).table)[static_cast<std::size_t>(description.item)];
        }
        return outcome;
    }
};

TEST_F(SettingRangesAgree, EverySettingUnderEveryNormAndSize) {
    for (int norm : {0, NtscNorm}) {
        for (int size : {SmallInsert, 1}) {
            ConfigItemTable base = DefaultConfigItemTable();
            base[item::Norm] = static_cast<std::uint8_t>(norm);
            base[item::InsertSize] = static_cast<std::uint8_t>(size);
            OpenWith(base);
            for (const ItemDescription& description : SettingItems()) {
                // These two change what the others are bounded by.
                if (description.item == item::Norm || description.item == item::InsertSize)
                    continue;
                std::vector<int> values;
                if (description.encoding == ItemEncoding::Number ||
                    description.encoding == ItemEncoding::Bcd) {
                    values = Probes(description, {norm == NtscNorm, size});
                } else {
                    values = {description.fieldMin, description.fieldMax};
                    if (description.offEntry > description.fieldMin)
                        values.push_back(description.offEntry);
                }
                for (int value : values) {
                    const Outcome window = InWindow(description, base, value);
                    const Outcome tool = ThroughTool(description, base, value);
                    EXPECT_EQ(window, tool) << description.name << " = " << value << ", norm "
                                            << norm << ", size " << size;
                }
            }
        }
    }
}

} // namespace
} // namespace zeb40::test

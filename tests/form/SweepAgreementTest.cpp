// Every point of a sweep is what loading a session holding that one value gives: the same
// acceptance, the same message, the same numbers.
#include "calc/Sweep.h"
#include "form/SessionLoader.h"
#include "tests/support/FakeDataSource.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace eee {
namespace {

using testing_support::FakeDataSource;

SessionRecord Base()
{
    SessionRecord record;
    record.Scheme = "ECC16 Var-Length";
    record.LifeTime = 12.5f;
    record.DataTypes = {{512, 40, 8, 1, 0}, {64, 3000, 20, 0, 0}};
    record.BlockSize = {"x8000", "x10000", "x8000", "", "", ""};
    record.BlocksSelected = 3;
    return record;
}

struct AgreementCase
{
    const char* Vary;
    std::function<void(SessionRecord&, double, const std::string&)> Set;
};

class SweepAgreement : public testing::TestWithParam<AgreementCase>
{ };

TEST_P(SweepAgreement, PointsAreLoadsOfTheChangedSession)
{
    FakeDataSource data;
    data.Sessions["/base.xml"] = Base();
    SessionLoader loader(data, std::nullopt);
    const LoadOutcome base = loader.Load("/base.xml");
    ASSERT_TRUE(base.Calculated());

    std::string error;
    const std::optional<SweepRequest> request = ParseSweep(GetParam().Vary, error);
    ASSERT_TRUE(request) << error;
    const std::vector<CatalogueBlock> blocks {
        {"x4000", 0x4000}, {"x8000", 0x8000}, {"x10000", 0x10000}, {"x20000", 0x20000}};
    const auto values = SweepValues(*request, base.Config, blocks, error);
    ASSERT_TRUE(values) << error;

    for (const SweepPoint& point : RunSweep(*request, base.Config, *values)) {
        SessionRecord changed = Base();
        GetParam().Set(changed, point.Value.Number, point.Value.Text);
        data.Sessions["/changed.xml"] = changed;
        const LoadOutcome loaded = loader.Load("/changed.xml");
        const std::string at = point.Value.Text;
        ASSERT_EQ(point.Ok, loaded.Calculated()) << at << ": " << point.Error;
        if (!point.Ok) {
            // A refused session is announced with the reason on the line after the file.
            const std::string refusal = "File /changed.xml loading failed!\n" + point.Error;
            EXPECT_TRUE(loaded.Error == point.Error || loaded.Error == refusal)
                << at << ": " << loaded.Error << " / " << point.Error;
            continue;
        }
        EXPECT_EQ(point.Result.FlashCycles, loaded.Result.FlashCycles) << at;
        EXPECT_EQ(point.Result.InSpecYears, loaded.Result.InSpecYears) << at;
        EXPECT_EQ(point.Result.LifetimeUpdates, loaded.Result.LifetimeUpdates) << at;
        EXPECT_EQ(point.Result.FlashUsedBytes, loaded.Result.FlashUsedBytes) << at;
        EXPECT_EQ(point.Result.RefreshIntervalDays, loaded.Result.RefreshIntervalDays) << at;
        EXPECT_EQ(point.Config.LifeTime, loaded.Config.LifeTime) << at;
    }
}

INSTANTIATE_TEST_SUITE_P(Parameters, SweepAgreement,
    testing::Values(AgreementCase {"lifetime=0.05:100:0.913731",
                        [](SessionRecord& r, double v, const std::string&) {
                            r.LifeTime = static_cast<float>(v);
                        }},
        AgreementCase {"blocks=1:7",
            [](SessionRecord& r, double v, const std::string&) {
                const int n = static_cast<int>(v);
                for (int k = r.BlocksSelected; k < n && k < kMaxBlocks; ++k)
                    r.BlockSize[static_cast<size_t>(k)] = r.BlockSize[2];
                r.BlocksSelected = n;
            }},
        AgreementCase {"blocksize=x4000:x20000",
            [](SessionRecord& r, double, const std::string& text) {
                for (int k = 0; k < r.BlocksSelected; ++k)
                    r.BlockSize[static_cast<size_t>(k)] = text;
            }},
        AgreementCase {"updates:2=1:100000001:*7",
            [](SessionRecord& r, double v, const std::string&) {
                r.DataTypes[1].Updates = static_cast<int32_t>(v);
            }},
        AgreementCase {"records:1=0:30001:1111",
            [](SessionRecord& r, double v, const std::string&) {
                r.DataTypes[0].Records = static_cast<int32_t>(v);
            }},
        AgreementCase {"size:2=0:4100:97",
            [](SessionRecord& r, double v, const std::string&) {
                r.DataTypes[1].DataSize = static_cast<int32_t>(v);
            }}),
    [](const testing::TestParamInfo<AgreementCase>& info) { return std::to_string(info.index); });

} // namespace
} // namespace eee

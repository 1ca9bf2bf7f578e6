#include "numeric/Vector.h"
#include "numeric/Errors.h"
#include "numeric/NamedVector.h"
#include "numeric/NumberText.h"

#include "NumericTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orvanta;
using namespace orvanta::test;

namespace {

TVector MakeVector(const std::vector<double>& values) {
    TVector v(static_cast<std::int32_t>(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i) {
        v.Set(static_cast<std::int32_t>(i), values[i]);
    }
    return v;
}

} // namespace

TEST(VectorTest, InitGivesZeroedElementsOrNoStorage) {
    TVector v = MakeVector({1.0, 2.0, 3.0});
    v.Init(4);
    EXPECT_EQ(v.Size(), 4);
    EXPECT_EQ(ValuesOf(v), (std::vector<double>{0.0, 0.0, 0.0, 0.0}));
    v.Set(1, 5.0);
    v.SetSize(4);
    EXPECT_EQ(ValuesOf(v), (std::vector<double>{0.0, 0.0, 0.0, 0.0}));

    for (std::int32_t n : {0, -1, -100}) {
        SCOPED_TRACE(n);
        TVector empty = MakeVector({5.0});
        empty.Init(n);
        EXPECT_EQ(empty.Elements(), nullptr);
    }

    TVector released = MakeVector({1.0, 2.0});
    released.Done();
    EXPECT_EQ(released.Size(), 0);
    EXPECT_EQ(released.Elements(), nullptr);
}

TEST(VectorTest, ResizeKeepsThePrefixAndZeroesNewElements) {
    struct TCase {
        std::vector<double> before;
        std::int32_t n;
        std::vector<double> after;
    };
    const TCase cases[] = {
        {{1.0, -2.0, 3.5}, 5, {1.0, -2.0, 3.5, 0.0, 0.0}},
        {{1.0, -2.0, 3.5, 4.0, 5.0}, 2, {1.0, -2.0}},
        {{1.0, -2.0, 3.5}, 3, {1.0, -2.0, 3.5}},
        {{1.0, -2.0, 3.5}, 0, {}},
        {{}, 3, {0.0, 0.0, 0.0}},
        {{7.0}, 1, {7.0}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.before.size() << " -> " << c.n);
        TVector v = MakeVector(c.before);
        v.Resize(c.n);
        EXPECT_EQ(v.Size(), c.n);
        EXPECT_EQ(ValuesOf(v), c.after);
    }
}

TEST(VectorTest, AddSubAndAssignDataRefuseOtherSizes) {
    enum class TOp { Add, Sub, AssignData };
    struct TCase {
        TOp op;
        std::vector<double> target;
        std::vector<double> other;
        bool ok;
        std::vector<double> result;
    };
    const TCase cases[] = {
        {TOp::Add, {1.0, 2.0, 3.0}, {0.5, -2.0, 10.0}, true, {1.5, 0.0, 13.0}},
        {TOp::Sub, {1.0, 2.0, 3.0}, {0.5, -2.0, 10.0}, true, {0.5, 4.0, -7.0}},
        {TOp::AssignData, {1.0, 2.0, 3.0}, {0.5, -2.0, 10.0}, true, {0.5, -2.0, 10.0}},
        {TOp::Add, {1.0, 2.0, 3.0}, {1.0, 1.0}, false, {1.0, 2.0, 3.0}},
        {TOp::Sub, {1.0, 2.0}, {1.0, 1.0, 1.0}, false, {1.0, 2.0}},
        {TOp::AssignData, {1.0, 2.0, 3.0}, {4.0}, false, {1.0, 2.0, 3.0}},
        {TOp::AssignData, {}, {1.0}, false, {}},
        {TOp::AssignData, {}, {}, true, {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "op " << static_cast<int>(c.op) << ", sizes "
                                        << c.target.size() << " and " << c.other.size());
        TVector target = MakeVector(c.target);
        const TVector other = MakeVector(c.other);
        bool ok = false;
        switch (c.op) {
        case TOp::Add:
            ok = target.Add(other);
            break;
        case TOp::Sub:
            ok = target.Sub(other);
            break;
        case TOp::AssignData:
            ok = target.AssignData(other);
            break;
        }
        EXPECT_EQ(ok, c.ok);
        EXPECT_EQ(ValuesOf(target), c.result);
        EXPECT_EQ(ValuesOf(other), c.other);
    }
}

TEST(VectorTest, DotAccumulatesInExtendedPrecision) {
    struct TCase {
        const char* what;
        std::vector<double> a;
        std::vector<double> b;
        double dot;
    };
    const TCase cases[] = {
        {"small integers", {1.0, 2.0, 3.0}, {4.0, 5.0, 6.0}, 32.0},
        // In doubles 1e16 + 1 is 1e16 again, and the sum would come out 0.
        {"cancelling sum", {1e16, 1.0, -1e16}, {1.0, 1.0, 1.0}, 1.0},
        // (1e8 + 1)^2 = 1e16 + 2e8 + 1 needs 54 bits; rounded to a double it
        // loses the final 1.
        {"exact products", {1e8 + 1.0, 1e8}, {1e8 + 1.0, -1e8}, 2e8 + 1.0},
        {"different sizes", {1.0, 2.0}, {1.0, 2.0, 3.0}, 0.0},
        {"empty", {}, {}, 0.0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        const TVector a = MakeVector(c.a);
        const TVector b = MakeVector(c.b);
        EXPECT_EQ(a.Dot(b), c.dot);
        EXPECT_EQ(b.Dot(a), c.dot);
    }
}

TEST(VectorTest, CopiesAreIndependent) {
    TVector original = MakeVector({1.0, 2.0, 3.0});

    TVector copy(original);
    TVector assigned = MakeVector({9.0});
    assigned = original;
    original.Set(0, -1.0);
    original.Resize(1);
    EXPECT_EQ(ValuesOf(copy), (std::vector<double>{1.0, 2.0, 3.0}));
    EXPECT_EQ(ValuesOf(assigned), (std::vector<double>{1.0, 2.0, 3.0}));
    EXPECT_NE(copy.Elements(), assigned.Elements());

    TVector& alias = copy;
    copy = alias;
    EXPECT_EQ(ValuesOf(copy), (std::vector<double>{1.0, 2.0, 3.0}));

    const TVector empty;
    TVector fromEmpty(empty);
    EXPECT_EQ(fromEmpty.Size(), 0);
    EXPECT_EQ(fromEmpty.Elements(), nullptr);
    assigned = empty;
    EXPECT_EQ(assigned.Size(), 0);
}

TEST(VectorTest, EmptyVectorOperationsDoNothing) {
    TVector v(0);
    v.Clear();
    v.Scale(2.0);
    v.Resize(0);
    EXPECT_EQ(v.Dot(v), 0.0);
    EXPECT_EQ(v.Size(), 0);
    EXPECT_EQ(v.Elements(), nullptr);
}

TEST(VectorTest, GetTextKeepsFourSignificantDigits) {
    struct TCase {
        double value;
        const char* point;
        const char* comma;
    };
    const TCase cases[] = {
        {1.5, "1.5", "1,5"},
        {0.125, "0.125", "0,125"},
        {3.14159265, "3.142", "3,142"},
        {10000.0, "1e+04", "1e+04"},
        {123456.0, "1.235e+05", "1,235e+05"},
        {0.00001234, "1.234e-05", "1,234e-05"},
        {0.0, "0", "0"},
    };
    for (const char separator : {'.', ','}) {
        TSeparatorGuard guard(separator);
        for (const TCase& c : cases) {
            SCOPED_TRACE(testing::Message() << c.point << " with '" << separator << "'");
            const TVector v = MakeVector({c.value});
            EXPECT_EQ(v.GetText(0), separator == '.' ? c.point : c.comma);
        }
    }
}

TEST(VectorTest, SetTextReadsTheDecimalSeparator) {
    TVector v(2);
    {
        TSeparatorGuard guard(',');
        v.SetText(0, "-0,125");
        v.SetText(1, " 2,5e1 ");
        EXPECT_EQ(ValuesOf(v), (std::vector<double>{-0.125, 25.0}));
    }
    for (const char* text : {"", "abc", "1.2.3", "1,5", "--1", "1e", "2 3"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(v.SetText(0, text), EConvertError);
    }
}

TEST(NamedVectorTest, SetNameKeepsAtMost256Characters) {
    struct TCase {
        const char* what;
        std::string name;
        std::string kept;
    };
    const std::string cyrillic256 = Repeat("ж", 256);
    const TCase cases[] = {
        {"short", "Отклики y", "Отклики y"},
        {"empty", "", ""},
        {"256 latin", Repeat("a", 256), Repeat("a", 256)},
        {"300 latin", Repeat("a", 300), Repeat("a", 256)},
        {"256 cyrillic", cyrillic256, cyrillic256},
        {"300 cyrillic", Repeat("ж", 300), cyrillic256},
        // The cut falls inside the bytes of the 257th character: no half of it
        // may remain.
        {"mixed", Repeat("a", 255) + "жж", Repeat("a", 255) + "ж"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        TNamedVector v;
        v.SetName(c.name);
        EXPECT_EQ(v.GetName(), c.kept);
    }
}

TEST(NamedVectorTest, AssignCopiesTheNameOnlyWhenSizesAgree) {
    TNamedVector source;
    source.Create(2);
    source.SetName("Коэффициенты");
    source.Set(0, 1.25);
    source.Set(1, -4.0);

    TNamedVector target;
    target.Create(2);
    target.SetName("old");
    ASSERT_TRUE(target.Assign(source));
    EXPECT_EQ(target.GetName(), "Коэффициенты");
    EXPECT_EQ(ValuesOf(target), (std::vector<double>{1.25, -4.0}));

    TNamedVector other;
    other.Create(3);
    other.SetName("other");
    EXPECT_FALSE(other.Assign(source));
    EXPECT_EQ(other.GetName(), "other");
    EXPECT_EQ(ValuesOf(other), (std::vector<double>{0.0, 0.0, 0.0}));

    TNamedVector copy(source);
    source.SetName("changed");
    source.Set(0, 0.0);
    EXPECT_EQ(copy.GetName(), "Коэффициенты");
    EXPECT_EQ(copy.Get(0), 1.25);

    copy.Create(1);
    EXPECT_EQ(copy.GetName(), "");
    EXPECT_EQ(ValuesOf(copy), (std::vector<double>{0.0}));
}

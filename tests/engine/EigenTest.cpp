// The symmetric eigen solver: eigenpairs of every size path, the exact diagonal case,
// and the reported failures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "ReporterCapture.h"
#include "zEIGEN.h"

namespace {

using Matrix = std::vector<std::vector<double>>;

// Hands the rows to the solver.
void Load(zEIGEN& eigen, const Matrix& a)
{
    std::vector<const double*> rows;
    for (const auto& row : a)
        rows.push_back(row.data());
    eigen.SetMatrix(rows.data());
}

// Solves and checks A·v = λ·v for every column, with orthonormal columns; returns the
// eigenvalues sorted.
std::vector<double> SolveAndCheck(const Matrix& a)
{
    const int n = static_cast<int>(a.size());
    zEIGEN eigen(n);
    Load(eigen, a);
    EXPECT_TRUE(eigen.Solve());

    const double* values = eigen.GetDiagonal();
    const double* const* vectors = eigen.GetMatrix();
    for (int i = 0; i < n; ++i) {
        for (int row = 0; row < n; ++row) {
            double av = 0.0;
            for (int k = 0; k < n; ++k)
                av += a[row][k] * vectors[k][i];
            EXPECT_NEAR(av, values[i] * vectors[row][i], 1e-9) << "eigenpair " << i << ", row " << row;
        }
        for (int j = 0; j < n; ++j) {
            double dot = 0.0;
            for (int k = 0; k < n; ++k)
                dot += vectors[k][i] * vectors[k][j];
            EXPECT_NEAR(dot, i == j ? 1.0 : 0.0, 1e-9) << "columns " << i << ", " << j;
        }
    }
    std::vector<double> sorted(values, values + n);
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

void ExpectValues(const std::vector<double>& actual, const std::vector<double>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-9) << i;
}

TEST(Eigen, TwoByTwoGivesOneAndThree)
{
    ExpectValues(SolveAndCheck({{2, 1}, {1, 2}}), {1, 3});
    ExpectValues(SolveAndCheck({{0, 0}, {0, 0}}), {0, 0});
}

// Sizes 3 and 4 and the general path, with repeated and negative eigenvalues.
TEST(Eigen, SymmetricMatricesOfEverySize)
{
    ExpectValues(SolveAndCheck({{2, 1, 1}, {1, 2, 1}, {1, 1, 2}}), {1, 1, 4});
    ExpectValues(SolveAndCheck({{2, -1, 0}, {-1, 2, -1}, {0, -1, 2}}), {2 - std::sqrt(2.0), 2, 2 + std::sqrt(2.0)});
    ExpectValues(SolveAndCheck({{4, 1, 0, 0}, {1, 4, 0, 0}, {0, 0, -2, 3}, {0, 0, 3, -2}}), {-5, 1, 3, 5});

    // A 6×6 of known spectrum 1..6: Q·diag·Qᵀ with a Householder Q = I - 2uuᵀ/uᵀu.
    const std::vector<double> u = {1, -2, 0.5, 3, -1, 2};
    double uu = 0.0;
    for (double x : u)
        uu += x * x;
    Matrix a(6, std::vector<double>(6, 0.0));
    for (int i = 0; i < 6; ++i) {
        for (int j = 0; j < 6; ++j) {
            for (int k = 0; k < 6; ++k) {
                const double qik = (i == k ? 1.0 : 0.0) - 2.0 * u[i] * u[k] / uu;
                const double qjk = (j == k ? 1.0 : 0.0) - 2.0 * u[j] * u[k] / uu;
                a[i][j] += qik * (k + 1) * qjk;
            }
        }
    }
    ExpectValues(SolveAndCheck(a), {1, 2, 3, 4, 5, 6});
}

TEST(Eigen, DiagonalMatrixIsReturnedExactly)
{
    for (const Matrix& a : {Matrix{{5, 0, 0}, {0, -1, 0}, {0, 0, 2}},
                            Matrix{{1, 0, 0, 0}, {0, 7, 0, 0}, {0, 0, 3, 0}, {0, 0, 0, 3}},
                            Matrix{{9, 0, 0, 0, 0}, {0, 8, 0, 0, 0}, {0, 0, 7, 0, 0}, {0, 0, 0, 6, 0}, {0, 0, 0, 0, 5}}}) {
        const int n = static_cast<int>(a.size());
        zEIGEN eigen(n);
        Load(eigen, a);
        ASSERT_TRUE(eigen.Solve());
        for (int i = 0; i < n; ++i) {
            EXPECT_EQ(eigen.GetDiagonal()[i], a[i][i]);
            for (int j = 0; j < n; ++j)
                EXPECT_EQ(eigen.GetMatrix()[i][j], i == j ? 1.0 : 0.0);
        }
    }
}

class EigenReports : public ReporterCapture {};

TEST_F(EigenReports, SizeBelowTwoIsRefused)
{
    for (int n : {1, 0, -4}) {
        host.Clear();
        zEIGEN eigen(n);
        EXPECT_FALSE(eigen.IsValid());
        const double value = 1.0;
        const double* rows[1] = {&value};
        eigen.SetMatrix(rows);  // ignored
        EXPECT_FALSE(eigen.Solve());
        EXPECT_EQ(Texts(), std::vector<std::string>{"Warning: zEIGEN: invalid matrix size"}) << n;
    }
}

// A NaN never converges: the solver stops after 30 iterations instead of looping.
TEST_F(EigenReports, NoConvergenceStopsAfterThirtyIterations)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double row0[3] = {1, nan, 0};
    const double row1[3] = {nan, 2, 1};
    const double row2[3] = {0, 1, 3};
    const double* rows[3] = {row0, row1, row2};
    zEIGEN eigen(3);
    eigen.SetMatrix(rows);
    EXPECT_FALSE(eigen.Solve());
    EXPECT_EQ(Texts(), std::vector<std::string>{"Warning: zEIGEN: QL algorithm - exceeded maximum iterations"});
}

} // namespace

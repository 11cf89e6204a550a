// Symmetric eigen solver (the tred2/tqli pair).
#include "zEIGEN.h"

#include <cmath>
#include <new>

#include "ResourceIds.h"
#include "ResString.h"
#include "zERROR.h"

namespace {

const int kMaxIterations = 30;

void Warn(int id)
{
    g_errorReporter.Report(zERR_WARNING, LoadResString(id));
}

} // namespace

zEIGEN::zEIGEN(int n)
{
    if (n < 2) {
        Warn(IDS_INVALID_SIZE);
        return;
    }
    size = n;
    matrix = new (std::nothrow) double*[n]();
    diagonal = new (std::nothrow) double[n]();
    subDiagonal = new (std::nothrow) double[n]();
    bool allocated = matrix && diagonal && subDiagonal;
    for (int i = 0; allocated && i < n; ++i) {
        matrix[i] = new (std::nothrow) double[n]();
        allocated = matrix[i] != nullptr;
    }
    if (!allocated) {
        Warn(IDS_ALLOCATION_FAILED);
        Release();
    }
}

zEIGEN::~zEIGEN()
{
    Release();
}

void zEIGEN::Release()
{
    delete[] subDiagonal;
    delete[] diagonal;
    if (matrix) {
        for (int i = 0; i < size; ++i)
            delete[] matrix[i];
    }
    delete[] matrix;
    subDiagonal = nullptr;
    diagonal = nullptr;
    matrix = nullptr;
    size = 0;
}

void zEIGEN::SetMatrix(const double* const* rows)
{
    if (!IsValid())
        return;
    for (int i = 0; i < size; ++i) {
        for (int j = 0; j < size; ++j)
            matrix[i][j] = rows[i][j];
    }
}

bool zEIGEN::Solve()
{
    if (!IsValid())
        return false;
    if (size == 2)
        Tridiagonalize2();
    else
        Tridiagonalize();
    return DiagonalizeQL();
}

void zEIGEN::Tridiagonalize2()
{
    diagonal[0] = matrix[0][0];
    diagonal[1] = matrix[1][1];
    subDiagonal[0] = matrix[1][0];
    subDiagonal[1] = 0.0;
    matrix[0][0] = 1.0;
    matrix[0][1] = 0.0;
    matrix[1][0] = 0.0;
    matrix[1][1] = 1.0;
}

// Householder reduction; the transformation is accumulated into the matrix. Sizes 3 and
// 4 take the same path: unrolled forms would give the same values.
void zEIGEN::Tridiagonalize()
{
    const int n = size;
    double** a = matrix;
    double* d = diagonal;
    double* e = subDiagonal;

    for (int i = n - 1; i > 0; --i) {
        const int l = i - 1;
        double h = 0.0;
        if (l > 0) {
            double scale = 0.0;
            for (int k = 0; k <= l; ++k)
                scale += std::fabs(a[i][k]);
            if (scale == 0.0) {
                e[i] = a[i][l];
            } else {
                for (int k = 0; k <= l; ++k) {
                    a[i][k] /= scale;
                    h += a[i][k] * a[i][k];
                }
                double f = a[i][l];
                double g = f >= 0.0 ? -std::sqrt(h) : std::sqrt(h);
                e[i] = scale * g;
                h -= f * g;
                a[i][l] = f - g;
                f = 0.0;
                for (int j = 0; j <= l; ++j) {
                    a[j][i] = a[i][j] / h;
                    g = 0.0;
                    for (int k = 0; k <= j; ++k)
                        g += a[j][k] * a[i][k];
                    for (int k = j + 1; k <= l; ++k)
                        g += a[k][j] * a[i][k];
                    e[j] = g / h;
                    f += e[j] * a[i][j];
                }
                const double hh = f / (h + h);
                for (int j = 0; j <= l; ++j) {
                    f = a[i][j];
                    e[j] = g = e[j] - hh * f;
                    for (int k = 0; k <= j; ++k)
                        a[j][k] -= f * e[k] + g * a[i][k];
                }
            }
        } else {
            e[i] = a[i][l];
        }
        d[i] = h;
    }

    d[0] = 0.0;
    e[0] = 0.0;
    for (int i = 0; i < n; ++i) {
        const int l = i - 1;
        if (d[i] != 0.0) {
            for (int j = 0; j <= l; ++j) {
                double g = 0.0;
                for (int k = 0; k <= l; ++k)
                    g += a[i][k] * a[k][j];
                for (int k = 0; k <= l; ++k)
                    a[k][j] -= g * a[k][i];
            }
        }
        d[i] = a[i][i];
        a[i][i] = 1.0;
        for (int j = 0; j <= l; ++j)
            a[j][i] = a[i][j] = 0.0;
    }

    // The reduction leaves element i between rows i - 1 and i; QL wants it one lower.
    for (int i = 1; i < n; ++i)
        e[i - 1] = e[i];
    e[n - 1] = 0.0;
}

bool zEIGEN::DiagonalizeQL()
{
    const int n = size;
    double** z = matrix;
    double* d = diagonal;
    double* e = subDiagonal;

    for (int l = 0; l < n; ++l) {
        int iterations = 0;
        int m;
        do {
            for (m = l; m < n - 1; ++m) {
                const double dd = std::fabs(d[m]) + std::fabs(d[m + 1]);
                if (std::fabs(e[m]) + dd == dd)
                    break;
            }
            if (m == l)
                break;
            if (iterations == kMaxIterations) {
                Warn(IDS_TOO_MANY_ITERATIONS);
                return false;
            }
            ++iterations;

            double g = (d[l + 1] - d[l]) / (2.0 * e[l]);
            double r = std::hypot(g, 1.0);
            g = d[m] - d[l] + e[l] / (g + (g >= 0.0 ? std::fabs(r) : -std::fabs(r)));
            double s = 1.0;
            double c = 1.0;
            double p = 0.0;
            int i;
            for (i = m - 1; i >= l; --i) {
                double f = s * e[i];
                const double b = c * e[i];
                e[i + 1] = r = std::hypot(f, g);
                if (r == 0.0) {
                    d[i + 1] -= p;
                    e[m] = 0.0;
                    break;
                }
                s = f / r;
                c = g / r;
                g = d[i + 1] - p;
                r = (d[i] - g) * s + 2.0 * c * b;
                p = s * r;
                d[i + 1] = g + p;
                g = c * r - b;
                for (int k = 0; k < n; ++k) {
                    f = z[k][i + 1];
                    z[k][i + 1] = s * z[k][i] + c * f;
                    z[k][i] = c * z[k][i] - s * f;
                }
            }
            if (r == 0.0 && i >= l)
                continue;
            d[l] -= p;
            e[l] = g;
            e[m] = 0.0;
        } while (m != l);
    }
    return true;
}

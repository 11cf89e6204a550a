// Eigenvalues and eigenvectors of a real symmetric matrix in double precision:
// Householder reduction to tridiagonal form, then QL with implicit shifts.
#pragma once

class zEIGEN {
public:
    // Sizes below 2 report "zEIGEN: invalid matrix size"; such a solver (and one whose
    // allocation failed) holds nothing and Solve refuses it.
    explicit zEIGEN(int n);
    ~zEIGEN();
    zEIGEN(const zEIGEN&) = delete;
    zEIGEN& operator=(const zEIGEN&) = delete;

    int GetSize() const { return size; }
    bool IsValid() const { return matrix != nullptr; }

    // Copies n rows of n values; only the symmetric matrix's lower triangle is read.
    void SetMatrix(const double* const* rows);

    // Afterwards the diagonal holds the eigenvalues (unsorted) and column i of the
    // matrix the eigenvector of eigenvalue i. False when the solver is not valid or
    // an eigenvalue did not converge within 30 iterations (reported; what was
    // computed so far stays in place).
    bool Solve();

    const double* const* GetMatrix() const { return matrix; }
    const double* GetDiagonal() const { return diagonal; }

private:
    void Release();
    void Tridiagonalize();
    void Tridiagonalize2();
    bool DiagonalizeQL();

    int size = 0;
    double** matrix = nullptr;     // size rows of size
    double* diagonal = nullptr;
    double* subDiagonal = nullptr;  // element i couples rows i and i + 1; the last is 0
};

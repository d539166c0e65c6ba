#!/usr/bin/env python3
"""The floor of one Campbell speed's eigenproblem: scipy's sparse shift-invert Arnoldi.

Reads the matrices solver_bench writes with --write-matrices=DIR (chain<DOF>_{M,K,D}.mtx and
chain<DOF>_settings.txt: eigenvalues asked for, shift σ and scale s, rad/s) and solves the same
problem the way Python rotordynamics tools do: the linearisation A z = λ B z with
A = [[0, I], [−K, −D]], B = [[I, 0], [0, M]] (z = (u, λu)), scipy.sparse.linalg.eigs(A, k, B,
sigma=σ), which factorises A − σB (2n × 2n, SuperLU) and runs ARPACK, with the solver's own
convergence test (Ritz residual ≤ 1e-8 · |Ritz value|). Prints the median time of `repeat` runs and
the lowest damped natural frequency (Hz), to be set beside BM_ShiftInvertSpeed. Install Debian's
serial OpenBLAS first (`apt-get install libopenblas0-serial`): with the reference BLAS, scipy's
dense kernels are not what anyone would run.

    python3 bench/scipy_eigs.py DIR DOF [repeat]
"""
import sys
import time

import numpy as np
import scipy.io
import scipy.sparse as sp
import scipy.sparse.linalg as sla


def main():
    folder, dof = sys.argv[1], sys.argv[2]
    repeat = int(sys.argv[3]) if len(sys.argv) > 3 else 3
    base = f"{folder}/chain{dof}"
    M = scipy.io.mmread(base + "_M.mtx").tocsc()
    K = scipy.io.mmread(base + "_K.mtx").tocsc()
    D = scipy.io.mmread(base + "_D.mtx").tocsc()
    k, sigma, _scale = open(base + "_settings.txt").read().split()
    k, sigma = int(k), float(sigma)
    n = M.shape[0]
    eye = sp.identity(n, format="csc")
    A = sp.bmat([[None, eye], [-K, -D]], format="csc")
    B = sp.bmat([[eye, None], [None, M]], format="csc")
    times = []
    for _ in range(repeat):
        start = time.perf_counter()
        vals = sla.eigs(A, k=k, M=B, sigma=sigma, tol=1e-8, return_eigenvectors=True)[0]
        times.append(time.perf_counter() - start)
    f = sorted(v.imag / (2 * np.pi) for v in vals if v.imag > 1e-9 * sigma)
    print(f"scipy eigs: DOF {n} eigenvalues {k} median {np.median(times) * 1e3:.1f} ms "
          f"(runs: {', '.join(f'{t * 1e3:.1f}' for t in times)}) lowest {f[0]:.6f} Hz")


if __name__ == "__main__":
    main()

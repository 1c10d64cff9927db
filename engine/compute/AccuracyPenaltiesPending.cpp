// Placeholders for the accuracy-related and fraud penalties (6653, 6659,
// 6659A, 6660, 6661, 6662, 6663) that ComputePenalties calls for their
// enabled slots. Until those computations are built they compute nothing and
// leave the slot's results at 0. Delete this file when they land.
#include "compute/CQRTCompute.h"

void CQRTCompute::Compute6653a(int, Date) {}
void CQRTCompute::Compute6653b(int, Date) {}
void CQRTCompute::Compute6659(int) {}
void CQRTCompute::Compute6659a(int) {}
void CQRTCompute::Compute6660(int) {}
void CQRTCompute::Compute6661(int) {}
void CQRTCompute::Compute6662c(int, Date) {}
void CQRTCompute::Compute6662d(int, Date) {}
void CQRTCompute::Compute6662e(int, Date) {}
void CQRTCompute::Compute6662f(int, Date) {}
void CQRTCompute::Compute6662g(int, Date) {}
void CQRTCompute::Compute6663(int, Date) {}

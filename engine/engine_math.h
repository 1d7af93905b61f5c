// The transcendental functions the engine uses, in one place: both libraries
// must compute the same bits from them.
#pragma once

double engineSin(double x);
double enginePow(double x, double y);

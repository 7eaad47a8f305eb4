#pragma once
// Serial port names and the port numbers that the settings file of older versions and the
// project file carry. Number n stands for the n-th serial port of the machine in name order;
// a port typed in as a path that the machine does not list has no number (0).
#include <QStringList>

#include <string>

namespace kes {

// The machine's serial ports, in name order.
QStringList SerialPortNames();

// 1-based position of the port in `ports`; 0 when the list does not hold it (or it is empty).
int PortNumberOf(const std::string& name, const QStringList& ports);

// The port that number `n` stands for: the n-th of `ports`; a number with no such port (0
// included) falls back to the first port; empty when there is none.
std::string PortNameOf(int n, const QStringList& ports);

// The port to use for number `n` (a project's) when `current` is in use: a typed path (one the
// machine does not list) stays; a listed port gives way only to a port that number `n` names;
// with no port in use, PortNameOf.
std::string PortForNumber(int n, const std::string& current, const QStringList& ports);

} // namespace kes

#pragma once
// Finding and keeping the machine: the start-up link sequence, the "Порт" menu, the link test
// "Тест" with the device's name, and the keep-alive greetings. Core logic only: the main
// window wires its menus and Timer4 to these calls and does what the results ask.

#include "link/device.h"
#include "link/window_timers.h"
#include "text/text_catalogue.h"

#include <QString>

namespace zeb {

// Interval of the keep-alive timer Timer4 and the number of its greetings.
constexpr int KeepAliveIntervalMs = 30000;
constexpr int KeepAliveGreetings = 10;

// Status texts 9009 and 9010 of the language table, with their built-in defaults.
struct LinkStatusTexts {
    QString ready = TextCatalogue::BuiltIn(9009);
    QString found = TextCatalogue::BuiltIn(9010);
};

// How long, in ms, a greeting waits for a controller busy with an earlier command on a
// field of fieldWidth x fieldHeight dots: the reset's limit, the longest command there is,
// and a margin. The limit already holds ten seconds over the home move; the margin covers
// the greeting's own rounds while it waits (up to a second each) and the few answers that
// bring the numbers into step once the controller is free.
qint64 BusyWaitLimitMs(int fieldWidth, int fieldHeight);
constexpr qint64 BusyWaitMarginMs = 5000;

// Greeting, Timer4, both motor-driver checks, the link-time measurement and the reset of
// the controller for a work field of fieldWidth x fieldHeight dots; from here on every
// greeting waits BusyWaitLimitMs for a busy controller. Run once at start, after the port
// was opened and DeviceReady set true.
void StartUpLink(Device& device, WindowTimers& timers, int fieldWidth, int fieldHeight);

// The items "Com1".."Com8" of "Порт": item n = 1..8 (any other n counts as the nearer end).
// The window checks item `checkedPort` only and keeps `portName` as PortName.
struct PortChoice {
    int checkedPort = 1; // 1..8
    QString portName;    // "com1".."com8"
};
PortChoice PortOfItem(int n);

// A port change: the line reopened on `portName` and the machine greeted. Done, with the
// ready text shown, when it answers: the link is up and the menus unlocked. Refused with
// "Устройство не отвечает" when not, after the greeting told its own failure.
Outcome ChoosePort(Device& device, const QString& portName);

// "Тест": reopens the port, greets and shows the ready text and the device's name. Refused
// when the machine does not answer; the greeting has told why, there is nothing to add.
Outcome TestLink(Device& device, const LinkStatusTexts& texts);

// Reads the 33 bytes of the device's name (parameter memory 80..112) and shows them after
// the status text 9010 and one space.
void ShowDeviceName(Device& device, const QString& foundText);

// The device's name as the operator sees it: cp1251, with every byte that has no visible
// character (controls, DEL, the unassigned 0x98) written as \xHH.
QString DeviceNameText(const QByteArray& bytes);

// One tick of Timer4: greets the machine, stops after a failure or the tenth greeting.
void KeepAliveTick(Device& device, WindowTimers& timers);

} // namespace zeb

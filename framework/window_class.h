// Window classes of the framework's own controls.
//
// Every own class uses TWinControl::StaticWndProc and keeps the object
// pointer in its extra bytes (cbWndExtra = sizeof(void*)). Classes are
// registered on first use and unregistered by the application's shut-down.
#pragma once

#include <windows.h>

#include <string>

// Registers the class unless it is registered already (raises
// EInvalidOperation when the name belongs to a foreign class) and returns the
// name to create the window with. A class style is fixed per class, so a
// window asking for another style than the one Name was registered with
// gets a class of its own, named Name + "." + the style in hex.
std::string EnsureWindowClass(const std::string& Name, UINT ClassStyle);
// Unregisters every class registered through EnsureWindowClass.
void UnregisterWindowClasses();
int RegisteredWindowClassCount();

// Id of the framework's entry in a subclassed window's subclass chain.
inline constexpr UINT_PTR kFrameworkSubclassId = 0x4F524456;
// Window property holding the object of a subclassed system window.
inline constexpr char kFrameworkControlProp[] = "Ordivo.Control";

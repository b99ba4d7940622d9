#pragma once
// What Qt's accessibility tells of our controls, where its own interfaces
// would mislead assistive technology: a group box is a group under its
// title; a radio button's action does what a click on it does (Qt's would
// only toggle it, behind the page's back); a dialog lists its controls in
// template order (Qt keeps them in stacking order, which is the reverse).

void InstallAccessibleInterfaces();

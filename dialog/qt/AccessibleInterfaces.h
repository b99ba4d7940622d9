#pragma once
// What Qt's accessibility tells of our controls, where its own interfaces
// would mislead assistive technology: a group box is a group under its
// title, holding the controls it frames; a radio button's action does what
// a click on it does (Qt's would only toggle it, behind the page's back); a
// dialog and a group list their controls in template order (Qt keeps them
// in stacking order, which is the reverse).

void InstallAccessibleInterfaces();

// Edit fields: a text input; the user's input is EN_CHANGE.
controlKinds.Edit = {
    name: "edit",
    create(win, control, style, x, y, width, height) {
        const box = document.createElement("input");
        box.type = "text";
        box.className = "edit";
        box.spellcheck = false;
        box.autocomplete = "off";
        box.readOnly = (style & ES_READONLY) !== 0;
        box.addEventListener("input", () => notify(win, control.id, EN_CHANGE));
        place(box, x, y, width, height);
        control.focusTarget = box;
        return box;
    },
    text(control) {
        return control.focusTarget.value;
    },
    // A program's write, caret at the start; one the user's work led to is told once the user pauses.
    setText(control, value) {
        if (userNotifications > 0 && control.focusTarget.value !== value) changedFields.add(control);
        control.focusTarget.value = value;
        control.focusTarget.setSelectionRange(0, 0);
    },
};

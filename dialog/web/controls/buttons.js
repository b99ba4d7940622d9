// Buttons: automatic radio buttons and check boxes, and push buttons.

// An automatic radio button or check box: the click moves the check, then
// the dialog hears of it.
function makeCheckable(win, control, style, x, y, width, height, label) {
    const radio = control.kind === ControlKind.RadioButton;
    const box = document.createElement("label");
    box.className = radio ? "radio" : "check";
    const input = document.createElement("input");
    input.type = radio ? "radio" : "checkbox";
    if (radio) {
        if ((style & WS_GROUP) || !win.radioGroup) win.radioGroup = control.handle;
        input.name = `lamino-radios-${win.radioGroup}`;
        control.radioGroup = win.radioGroup;
    }
    const caption = document.createElement("span");
    caption.textContent = label;
    box.append(input, caption);
    input.addEventListener("click", () => notify(win, control.id, BN_CLICKED));
    place(box, x, y, width, height);
    control.focusTarget = input;
    control.caption = caption;
    return box;
}

const captionText = {
    text(control) {
        return control.caption.textContent;
    },
    setText(control, value) {
        control.caption.textContent = value;
    },
};

controlKinds.RadioButton = Object.assign({ name: "radio", create: makeCheckable }, captionText);
controlKinds.CheckBox = Object.assign({ name: "check", create: makeCheckable }, captionText);

controlKinds.PushButton = Object.assign({
    name: "push",
    create(win, control, style, x, y, width, height, label) {
        const box = document.createElement("button");
        box.type = "button";
        box.className = "push" + ((style & BS_TYPEMASK) === BS_DEFPUSHBUTTON ? " default" : "");
        box.textContent = label;
        box.addEventListener("click", () => notify(win, control.id, BN_CLICKED));
        place(box, x, y, width, height);
        control.focusTarget = box;
        return box;
    },
}, ownText);

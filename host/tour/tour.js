// The guided tour that `make run` takes without a display: it works on the demo form through
// the Object Inspector, the component editors and the style dialogs as a user would, and
// writes a picture of each step into the screenshot folder. Any step that fails stops the tour
// with its error (and `make run` with a non-zero exit code).

function shot(file) {
    ide.screenshot(file);
}

function expect(what, actual, wanted) {
    if (String(actual) !== String(wanted))
        throw new Error(what + ": expected " + wanted + ", found " + actual);
}

// The form as the tour finds it: the tour ends by undoing every step back to this text.
var startText = ide.formText();

// The form with the graph selected; its properties by category.
ide.select("Graph1");
ide.arrange = "category";
shot("inspector-category.png");

// The line series by name, its Line expanded with the colour row current.
ide.select("Series1");
ide.arrange = "name";
ide.expand("Line");
ide.property("Line.Color").select();
shot("inspector-name.png");

// Only the colour properties of the graph.
ide.select("Graph1");
ide.filter = "color";
shot("inspector-filter.png");
ide.filter = "";

// Colour, dash style, area style and point symbol lists draw their samples: open the list of
// a row, take its picture, pick an item and check that the component took it.
function choose(component, path, file, item) {
    ide.select(component);
    if (path.indexOf(".") > 0)
        ide.expand(path.split(".")[0]);
    ide.property(path).openDropDown();
    shot(file);
    ide.property(path).pick(item);
    expect(component + "." + path, ide.property(path).value, item);
}
choose("Graph1", "BackColor", "dropdown-color.png", "Ivory");
choose("Series1", "Line.DashStyle", "dropdown-dashstyle.png", "Dash");
choose("Series1", "Area.AreaStyle", "dropdown-areastyle.png", "Total");
choose("Series2", "PointSymbol.PointSymbol", "dropdown-pointsymbol.png", "Diamond");

// Both series at once: what they share, empty where they differ.
ide.select(["Series1", "Series2"]);
ide.arrange = "category";
shot("inspector-multiselect.png");
ide.property("Line.Width").setValue(ide.numberText(1.5)); // as this locale writes numbers
expect("Series2.Line.Width", ide.value("Series2", "Line.Width"), 1.5);

// A date-time axis shows its range as dates; text that is no date is refused.
ide.select("Axis1");
ide.arrange = "name";
ide.property("Scaling").setValue("DateTime");
ide.property("Start").setValue(ide.dateText(2026, 1, 1)); // as a user of this locale types it
ide.property("Stop").setValue(ide.dateText(2026, 3, 1));
ide.property("Start").select();
shot("inspector-datetime.png");
try {
    ide.property("Start").setValue("no date");
    throw new Error("a bad date was taken");
} catch (e) {
    ide.log("refused as expected: " + e.message);
}
ide.undo();
ide.undo();
ide.undo();
expect("Axis1.Scaling after undo", ide.value("Axis1", "Scaling"), "Linear");

// The settings dialogs open from the ellipsis of their rows.
ide.select("Series1");
ide.property("Line").edit(function (dlg) {
    dlg.find("WidthUpDn").setValue(3);
    dlg.screenshot("dialog-line.png");
    dlg.ok();
});
expect("Series1.Line.Width after the dialog", ide.value("Series1", "Line.Width"), 3);

// The other dialogs: a look, then Cancel.
function look(component, path, file) {
    ide.select(component);
    ide.property(path).edit(function (dlg) {
        dlg.screenshot(file);
        dlg.cancel();
    });
}
look("Series1", "PointSymbol", "dialog-pointsymbol.png");
look("Series1", "Area", "dialog-area.png");
look("Graph1", "BackgroundGradient", "dialog-gradient.png");
look("Graph1", "DataAreaFrame", "dialog-simpleline.png");
look("Axis1", "ArrowPoint", "dialog-arrow.png");

// The context menu of a component: its editor's verbs, then the editing commands.
var menu = ide.contextMenu("Graph1");
shot("context-menu.png");
menu.close();

// The graph designer, by a double click on a series of the chart: it opens on the series'
// page inside the dialog of its graph. The series menu adds calculations and fits.
ide.doubleClick("Series1", function (dlg) {
    expect("designer title", dlg.title, "Set properties of: Measured and fitted");
    var pages = dlg.find("SettingsTab");
    expect("page opened from the series", pages.text, "Series1");
    dlg.screenshot("designer-series.png");
    dlg.find("SeriesButton").openMenu(function (seriesMenu) {
        dlg.screenshot("designer-series-menu.png");
        seriesMenu.close();
    });
    var tour = [["Graph1", "designer-graph.png"], ["Axis1", "designer-axis.png"], ["Legend1", "designer-legend.png"]];
    for (var i = 0; i < tour.length; ++i) {
        pages.select(tour[i][0]);
        expect("page", pages.text, tour[i][0]);
        dlg.screenshot(tour[i][1]);
    }
    dlg.cancel();
});

// The pie chart's settings, opened from its legend on the legend's page.
ide.doubleClick("PieLegend1", function (dlg) {
    expect("pie settings page", dlg.find("SettingsTab").text, "PieLegend1");
    dlg.screenshot("pie-settings.png");
    dlg.cancel();
});

// The font dialog of the graph's caption font.
ide.select("Graph1");
ide.property("CaptionFont").edit(function (dlg) {
    dlg.find("ItalicCheck").setValue(true);
    dlg.screenshot("dialog-font.png");
    dlg.ok();
});
expect("caption font italic", ide.value("Graph1", "CaptionFont.Italic"), true);

// The caption editor: the graph's caption gets today's date (a string variable dragged from
// its tree) and the frequency of the form's edit (a formula with a number format).
ide.property("Caption").edit(function (dlg) {
    var edit = dlg.find("CaptionEdit");
    edit.setSelection(0, edit.text.length);
    edit.key("Delete");
    dlg.find("CaptionsView").dragTo("Date and time/Date", edit, {x: edit.get("width") - 24, y: 14});
    edit.caret = edit.text.length;
    edit.type(": ");
    dlg.find("VariablesView").doubleClick("DoubleEdit1/Value");
    dlg.find("FormatEdit").setValue("0.00");
    dlg.find("InsFormulaBtn").click();
    edit.caret = edit.text.length;
    edit.type(" Hz");
    edit.caret = 0;
    ide.wait(50);
    dlg.screenshot("caption-editor.png");
    dlg.ok();
});
expect("caption with a variable and a formula", ide.value("Graph1", "Caption"),
       "{\\kvcap1 \\var{Date}: \\var{DoubleEdit1.Value;0.00} Hz}");
shot("form-caption.png");

// The pie chart's captions in the string list editor.
ide.select("PieChart1");
ide.property("Captions").edit(function (dlg) {
    dlg.screenshot("stringlist-editor.png");
    dlg.cancel();
});

// The start values of the fitted line's coefficients, one per line.
ide.select("FittedLine1");
ide.property("Coefficients").edit(function (dlg) {
    dlg.find("Memo1").setSelection(0, 0);
    dlg.screenshot("doublearray-editor.png");
    dlg.cancel();
});

// The data sheet: the time axis becomes a date axis, and the function panel fills the x values
// with one day per sample; the sheet shows them as dates.
ide.select("Axis1");
ide.property("Scaling").setValue("DateTime");
ide.property("Start").setValue(ide.dateText(2026, 1, 1));
ide.property("Stop").setValue(ide.dateText(2026, 1, 13));
// Fills the 25 x values with a formula of their index "#" through the sheet's function panel.
function fillXValues(formula, picture) {
    ide.contextMenu("XValues").trigger("Values Editor", function (dlg) {
        dlg.find("FunctionBtn").click();
        dlg.find("FunctionEdit").setValue(formula);
        dlg.find("FromEdit").setValue(0);
        dlg.find("ToEdit").setValue(24);
        dlg.find("CalcExecuteBtn").click();
        if (picture)
            dlg.screenshot(picture);
        dlg.find("ExitBtn").click(); // the sheet's own way out (the panel's OK fills)
    });
}
fillXValues("46023 + #/2", "vectors-editor.png");
expect("the first x value", ide.value("XValues", "Values")[0], 46023);
shot("form-dates.png");
fillXValues("#/2"); // and back to seconds
expect("the last x value", ide.value("XValues", "Values")[24], 12);

// The legend order: the samples dragged above the sine fit.
ide.select("Legend1");
ide.property("ItemsOrderList").edit(function (dlg) {
    var list = dlg.find("SeriesListBox");
    list.dragTo(1, list, 0);
    dlg.screenshot("legend-order.png");
    dlg.ok();
});
expect("legend order", ide.value("Legend1", "ItemsOrderList").join(), "Series2,Series1");

// The property links of the time edit: the stored link selects its property in the tree.
ide.select("DoubleEdit2");
ide.property("PropertyLinks").edit(function (dlg) {
    dlg.find("ItemList").select(0);
    dlg.screenshot("property-links.png");
    dlg.cancel();
});

// The fill palette of the pie chart, from the palette's context menu.
ide.contextMenu("FillPalette1").trigger("Edit Palette", function (dlg) {
    dlg.find("PaletteList").select(4);
    dlg.screenshot("fill-palette.png");
    dlg.cancel();
});

// Undo takes the form back to where the tour started: every dialog was one step.
while (ide.undoCount() > 0)
    ide.undo();
expect("the form after undoing every step", ide.formText() === startText, true);
ide.select("Graph1");
shot("form-after-undo.png");

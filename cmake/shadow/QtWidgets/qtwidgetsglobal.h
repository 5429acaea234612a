// Placed first on kavo_model's include path: the model library must stay free of
// widgets so that it loads, renders and undoes headless.
#error "kavo_model must not include QtWidgets headers; move widget code into a ui/ folder (kavo_ui)."

// Replaced by the driver.
